#include "platform/qt/QtMessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/qt/QtUserInterface.h"

namespace vexa::platform {

namespace {

std::vector<std::pair<QMessageBox::StandardButton, MessageAnswer>> ButtonsOf(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOk: return {{QMessageBox::Ok, MessageAnswer::kOk}};
    case MessageButtons::kOkCancel:
      return {{QMessageBox::Ok, MessageAnswer::kOk}, {QMessageBox::Cancel, MessageAnswer::kCancel}};
    case MessageButtons::kYesNo:
      return {{QMessageBox::Yes, MessageAnswer::kYes}, {QMessageBox::No, MessageAnswer::kNo}};
    case MessageButtons::kYesNoCancel:
      return {{QMessageBox::Yes, MessageAnswer::kYes},
              {QMessageBox::No, MessageAnswer::kNo},
              {QMessageBox::Cancel, MessageAnswer::kCancel}};
    case MessageButtons::kRetryCancel:
      return {{QMessageBox::Retry, MessageAnswer::kRetry}, {QMessageBox::Cancel, MessageAnswer::kCancel}};
  }
  return {{QMessageBox::Ok, MessageAnswer::kOk}};
}

const char* ButtonsName(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOk: return "ok";
    case MessageButtons::kOkCancel: return "ok_cancel";
    case MessageButtons::kYesNo: return "yes_no";
    case MessageButtons::kYesNoCancel: return "yes_no_cancel";
    case MessageButtons::kRetryCancel: return "retry_cancel";
  }
  return "ok";
}

const char* IconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kNone: return "none";
    case MessageIcon::kInformation: return "information";
    case MessageIcon::kExclamation: return "exclamation";
    case MessageIcon::kQuestion: return "question";
    case MessageIcon::kStop: return "stop";
  }
  return "none";
}

const char* AnswerName(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::kOk: return "ok";
    case MessageAnswer::kCancel: return "cancel";
    case MessageAnswer::kRetry: return "retry";
    case MessageAnswer::kYes: return "yes";
    case MessageAnswer::kNo: return "no";
  }
  return "ok";
}

QMessageBox::Icon QtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kNone: return QMessageBox::NoIcon;
    case MessageIcon::kInformation: return QMessageBox::Information;
    case MessageIcon::kExclamation: return QMessageBox::Warning;
    case MessageIcon::kQuestion: return QMessageBox::Question;
    case MessageIcon::kStop: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer QtMessageBoxes::Show(const MessageBoxRequest& request) {
  QMessageBox box;
  box.setWindowTitle(QString::fromStdU16String(request.caption));
  box.setTextFormat(Qt::PlainText);
  box.setText(QString::fromStdU16String(request.text));
  box.setIcon(QtIcon(request.icon));

  const auto buttons = ButtonsOf(request.buttons);
  std::vector<std::pair<QPushButton*, MessageAnswer>> made;
  QPushButton* cancel = nullptr;
  for (const auto& [standard, answer] : buttons) {
    QPushButton* b = box.addButton(standard);
    made.emplace_back(b, answer);
    if (answer == MessageAnswer::kCancel) cancel = b;
  }
  // A default past the last button falls back to the first, as the device does.
  const std::size_t defaultIndex =
      request.defaultButton >= 0 && static_cast<std::size_t>(request.defaultButton) < made.size()
          ? static_cast<std::size_t>(request.defaultButton)
          : 0;
  box.setDefaultButton(made[defaultIndex].first);
  if (cancel) box.setEscapeButton(cancel);

  ui_.RunDialog(box, request.owner);

  MessageAnswer answer = cancel ? MessageAnswer::kCancel : made[defaultIndex].second;
  for (const auto& [button, value] : made) {
    if (box.clickedButton() == button) answer = value;
  }
  log_.Record("message_box", {{"caption", request.caption},
                              {"text", request.text},
                              {"buttons", std::string(ButtonsName(request.buttons))},
                              {"icon", std::string(IconName(request.icon))},
                              {"answer", std::string(AnswerName(answer))}});
  return answer;
}

}  // namespace vexa::platform
