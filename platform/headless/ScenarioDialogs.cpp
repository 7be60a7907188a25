#include "platform/headless/ScenarioDialogs.h"

#include <algorithm>
#include <vector>

#include "common/text/Text.h"

namespace vexa::platform {

namespace {

std::vector<MessageAnswer> ButtonsOf(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOk:
      return {MessageAnswer::kOk};
    case MessageButtons::kOkCancel:
      return {MessageAnswer::kOk, MessageAnswer::kCancel};
    case MessageButtons::kYesNo:
      return {MessageAnswer::kYes, MessageAnswer::kNo};
    case MessageButtons::kYesNoCancel:
      return {MessageAnswer::kYes, MessageAnswer::kNo, MessageAnswer::kCancel};
    case MessageButtons::kRetryCancel:
      return {MessageAnswer::kRetry, MessageAnswer::kCancel};
  }
  return {MessageAnswer::kOk};
}

std::string ColorText(gfx::ColorRef c) {
  return std::to_string(c & 0xFF) + "," + std::to_string((c >> 8) & 0xFF) + "," +
         std::to_string((c >> 16) & 0xFF);
}

}  // namespace

std::string_view ScenarioDialogs::ButtonsName(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOk:
      return "ok";
    case MessageButtons::kOkCancel:
      return "ok_cancel";
    case MessageButtons::kYesNo:
      return "yes_no";
    case MessageButtons::kYesNoCancel:
      return "yes_no_cancel";
    case MessageButtons::kRetryCancel:
      return "retry_cancel";
  }
  return "ok";
}

std::string_view ScenarioDialogs::IconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kNone:
      return "none";
    case MessageIcon::kInformation:
      return "information";
    case MessageIcon::kExclamation:
      return "exclamation";
    case MessageIcon::kQuestion:
      return "question";
    case MessageIcon::kStop:
      return "stop";
  }
  return "none";
}

std::string_view ScenarioDialogs::AnswerName(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::kOk:
      return "ok";
    case MessageAnswer::kCancel:
      return "cancel";
    case MessageAnswer::kRetry:
      return "retry";
    case MessageAnswer::kYes:
      return "yes";
    case MessageAnswer::kNo:
      return "no";
  }
  return "ok";
}

std::optional<ScenarioAction> ScenarioDialogs::TakeAnswer(ScenarioVerb verb) {
  if (pump_.quitting()) return std::nullopt;
  bool fromScript = false;
  std::optional<ScenarioAction> answer = pump_.scenario().TakeAnswer(verb, &fromScript);
  // An answer kept from earlier was logged when the loop came to it.
  if (answer && fromScript) pump_.LogAction(*answer);
  return answer;
}

MessageAnswer ScenarioDialogs::Show(const MessageBoxRequest& request) {
  MessageAnswer answer = DefaultAnswer(request);
  if (const std::optional<ScenarioAction> scripted = TakeAnswer(ScenarioVerb::kAnswer)) {
    const std::vector<MessageAnswer> buttons = ButtonsOf(request.buttons);
    if (std::find(buttons.begin(), buttons.end(), scripted->answer) != buttons.end()) {
      answer = scripted->answer;
    } else {
      pump_.Fail(scripted->line, "answer " + std::string(AnswerName(scripted->answer)) +
                                     " is not a button of the message box \"" +
                                     text::ToUtf8(request.caption) + "\" (" +
                                     std::string(ButtonsName(request.buttons)) + ")");
    }
  }
  log_.Record("message_box", {{"caption", request.caption},
                              {"text", request.text},
                              {"buttons", std::string(ButtonsName(request.buttons))},
                              {"icon", std::string(IconName(request.icon))},
                              {"answer", std::string(AnswerName(answer))}});
  return answer;
}

std::optional<std::u16string> ScenarioDialogs::OpenFile(WindowHandle, std::u16string_view filter,
                                                        std::u16string_view initialFolder) {
  std::optional<std::u16string> answer;
  if (const std::optional<ScenarioAction> scripted = TakeAnswer(ScenarioVerb::kFile)) {
    if (!scripted->value.empty()) answer = scripted->value;
  }
  log_.Record("file_dialog", {{"filter", std::u16string(filter)},
                              {"folder", std::u16string(initialFolder)},
                              {"answer", answer.value_or(u"")}});
  return answer;
}

std::optional<gfx::ColorRef> ScenarioDialogs::ChooseColor(WindowHandle, gfx::ColorRef initial) {
  std::optional<gfx::ColorRef> answer;
  if (const std::optional<ScenarioAction> scripted = TakeAnswer(ScenarioVerb::kColor))
    answer = scripted->color;
  log_.Record("color_dialog",
              {{"initial", ColorText(initial)}, {"answer", answer ? ColorText(*answer) : std::string()}});
  return answer;
}

std::u16string ScenarioDialogs::Browse(WindowHandle, std::u16string_view title) {
  std::u16string answer;
  if (const std::optional<ScenarioAction> scripted = TakeAnswer(ScenarioVerb::kFolder))
    answer = scripted->value;
  log_.Record("folder_dialog", {{"title", std::u16string(title)}, {"answer", answer}});
  return answer;
}

}  // namespace vexa::platform
