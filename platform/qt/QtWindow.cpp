#include "platform/qt/QtWindow.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>

#include "common/text/Text.h"
#include "platform/qt/QtOwnerDrawControl.h"
#include "platform/qt/QtTabControl.h"
#include "platform/qt/QtUpDownControl.h"
#include "platform/qt/QtUserInterface.h"

namespace vexa::platform {

using ui::CheckState;
using ui::ControlKind;
using ui::Notification;

namespace {

QString Q(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}
std::u16string U(const QString& s) { return s.toStdU16String(); }

gfx::Point ClientPoint(const QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  return {p.x(), p.y()};
}

// The client area: paints the handler's bitmap, passes pointer events on.
class ClientWidget : public QWidget {
 public:
  ClientWidget(QWidget* parent, QtWindow* window) : QWidget(parent), window_(window) {
    // The whole area is painted in one piece each time, so nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
  }

 protected:
  void paintEvent(QPaintEvent* event) override { window_->PaintClient(*this, event->rect()); }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) window_->PointerDown(ClientPoint(e));
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    window_->PointerMove(ClientPoint(e), (e->buttons() & Qt::LeftButton) != 0);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) window_->PointerUp(ClientPoint(e));
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    // A double tap is a second press, as the window sees it.
    if (e->button() == Qt::LeftButton) window_->PointerDown(ClientPoint(e));
  }
  void closeEvent(QCloseEvent* e) override {
    // The window manager's close box: the handler decides, through Close().
    e->ignore();
    window_->Close();
  }
  void changeEvent(QEvent* e) override {
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) window_->Activated();
    QWidget::changeEvent(e);
  }

 private:
  QtWindow* window_;
};

// The outer widget of a kThinBorder window: a one-pixel frame around the client widget.
class FrameWidget : public QWidget {
 public:
  explicit FrameWidget(QtWindow* window) : window_(window) { setAttribute(Qt::WA_OpaquePaintEvent); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(QColor(0, 0, 0));
    p.drawRect(0, 0, width() - 1, height() - 1);
  }
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    window_->Close();
  }
  void changeEvent(QEvent* e) override {
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) window_->Activated();
    QWidget::changeEvent(e);
  }

 private:
  QtWindow* window_;
};

// A check box that steps through its states the device's way: clear, checked, grey, clear.
class DeviceCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void nextCheckState() override {
    if (!isTristate()) return QCheckBox::nextCheckState();
    switch (checkState()) {
      case Qt::Unchecked: setCheckState(Qt::Checked); break;
      case Qt::Checked: setCheckState(Qt::PartiallyChecked); break;
      case Qt::PartiallyChecked: setCheckState(Qt::Unchecked); break;
    }
  }
};

bool IsList(ControlKind k) { return k == ControlKind::kListBox || k == ControlKind::kListView; }
bool IsCombo(ControlKind k) { return k == ControlKind::kComboList || k == ControlKind::kComboEdit; }
bool IsButton(ControlKind k) {
  return k == ControlKind::kPushButton || k == ControlKind::kDefaultPushButton || k == ControlKind::kOwnerDrawButton ||
         k == ControlKind::kCheckBox || k == ControlKind::kThreeStateCheckBox || k == ControlKind::kRadioButton;
}

const char* KindName(ControlKind k) {
  switch (k) {
    case ControlKind::kPushButton: return "push button";
    case ControlKind::kDefaultPushButton: return "push button";
    case ControlKind::kOwnerDrawButton: return "owner-drawn button";
    case ControlKind::kCheckBox: return "check box";
    case ControlKind::kThreeStateCheckBox: return "three-state check box";
    case ControlKind::kRadioButton: return "radio button";
    case ControlKind::kStatic: return "static text";
    case ControlKind::kStatusText: return "status text";
    case ControlKind::kPicture: return "picture";
    case ControlKind::kEdit: return "edit";
    case ControlKind::kListBox: return "list box";
    case ControlKind::kComboList: return "drop-down list";
    case ControlKind::kComboEdit: return "combo box";
    case ControlKind::kListView: return "list view";
    case ControlKind::kTab: return "tab control";
    case ControlKind::kMonthCalendar: return "month calendar";
    case ControlKind::kUpDown: return "up-down spinner";
    case ControlKind::kGroupBox: return "group box";
  }
  return "control";
}

QImage CopyImage(const gfx::Bitmap& b) {
  if (b.empty()) return {};
  return QImage(reinterpret_cast<const uchar*>(b.Row(0)), b.width(), b.height(), b.width() * 4, QImage::Format_RGB32)
      .copy();
}

Qt::Alignment TextAlignment(std::uint32_t style, Qt::Alignment vertical) {
  if (style & ui::kAlignRight) return Qt::AlignRight | vertical;
  if (style & ui::kAlignCenter) return Qt::AlignHCenter | vertical;
  return Qt::AlignLeft | vertical;
}

// Where a new item goes in a sorted list: after every item that does not sort after it, letter case
// not counting.
template <typename TextAt>
int SortedPosition(int count, const QString& text, TextAt textAt) {
  int i = 0;
  while (i < count && QString::compare(textAt(i), text, Qt::CaseInsensitive) <= 0) ++i;
  return i;
}

QFont ToQFont(const FontSpec& want, QFont font) {
  if (!want.face.empty()) font.setFamilies({Q(want.face)});
  // The device's heights are pixel heights; a negative one names the character height, which is as
  // close as Qt's pixel size comes either way.
  if (want.height != 0) font.setPixelSize(std::abs(want.height));
  const int weight = want.weight <= 0 ? 400 : std::clamp(want.weight, 100, 900);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(want.italic);
  font.setUnderline(want.underline);
  font.setStrikeOut(want.strikeOut);
  return font;
}

// Raises a top-level window where the platform can (the offscreen one cannot, and says so each time).
void RaiseWindow(QWidget* w) {
  if (!w->isWindow() || QGuiApplication::platformName() != QStringLiteral("offscreen")) w->raise();
}

void LowerWindow(QWidget* w) {
  if (!w->isWindow() || QGuiApplication::platformName() != QStringLiteral("offscreen")) w->lower();
}

QColor ToQColor(gfx::ColorRef c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

}  // namespace

struct QtWindow::Control {
  int id = 0;
  ControlKind kind = ControlKind::kStatic;
  ui::Rect rect;
  std::uint32_t style = 0;
  QWidget* widget = nullptr;
  QButtonGroup* group = nullptr;  // radio buttons
  int buddy = 0;                  // up-down spinners: the id of the control before it
  bool hasBuddy = false;

  QListWidget* list() const { return IsList(kind) ? static_cast<QListWidget*>(widget) : nullptr; }
  QComboBox* combo() const { return IsCombo(kind) ? static_cast<QComboBox*>(widget) : nullptr; }
  QTabBar* tabs() const { return kind == ControlKind::kTab ? static_cast<QtTabControl*>(widget)->tabBar() : nullptr; }
  QAbstractButton* button() const { return IsButton(kind) ? static_cast<QAbstractButton*>(widget) : nullptr; }
  QLineEdit* edit() const {
    if (kind == ControlKind::kEdit) return static_cast<QLineEdit*>(widget);
    if (kind == ControlKind::kComboEdit) return static_cast<QComboBox*>(widget)->lineEdit();
    return nullptr;
  }
  QLabel* label() const {
    const bool isLabel =
        kind == ControlKind::kStatic || kind == ControlKind::kStatusText || kind == ControlKind::kPicture;
    return isLabel ? static_cast<QLabel*>(widget) : nullptr;
  }
  QtUpDownControl* upDown() const {
    return kind == ControlKind::kUpDown ? static_cast<QtUpDownControl*>(widget) : nullptr;
  }
  QCalendarWidget* calendar() const {
    return kind == ControlKind::kMonthCalendar ? static_cast<QCalendarWidget*>(widget) : nullptr;
  }
};

// While alive, control changes made by the program send no notifications.
class QtWindow::Quiet {
 public:
  explicit Quiet(QtWindow& w) : w_(w) { ++w_.quiet_; }
  ~Quiet() { --w_.quiet_; }
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;

 private:
  QtWindow& w_;
};

QtWindow::QtWindow(QtUserInterface& ui, WindowHandle handle, const ui::WindowTemplate& tmpl,
                   ui::WindowHandler& handler, QtWindow* parent, WindowHandle owner)
    : ui_(ui),
      handle_(handle),
      handler_(handler),
      parent_(parent),
      owner_(owner),
      style_(tmpl.style),
      className_(tmpl.className),
      topMost_((tmpl.style & ui::kTopMost) != 0) {
  if (parent_) {
    client_ = new ClientWidget(parent_->client(), this);
    outer_ = client_;
    client_->setGeometry(tmpl.rect.left, tmpl.rect.top, tmpl.rect.width(), tmpl.rect.height());
  } else {
    border_ = (style_ & ui::kThinBorder) ? 1 : 0;
    if (border_) {
      outer_ = new FrameWidget(this);
      client_ = new ClientWidget(outer_, this);
    } else {
      client_ = new ClientWidget(nullptr, this);
      outer_ = client_;
    }
    ApplyWindowFlags();
    if (style_ & ui::kNoActivate) outer_->setAttribute(Qt::WA_ShowWithoutActivating);
    Move(tmpl.rect);
  }
  outer_->setWindowTitle(Q(tmpl.title));
  outer_->setProperty("vexaHandle", static_cast<uint>(handle_));
  if (!className_.empty()) outer_->setProperty("vexaClassName", Q(className_));
  client_->setAutoFillBackground(false);

  Quiet quiet(*this);
  for (const ui::ControlTemplate& t : tmpl.controls) CreateControl(t);
}

QtWindow::~QtWindow() {
  for (const auto& [id, timer] : timers_) ui_.timers().Stop(timer);
  // Widgets still there (the user interface goes away with its windows open) go with the window.
  if (!outer_.isNull() && !parent_) delete outer_.data();
}

void QtWindow::ApplyWindowFlags() {
  Qt::WindowFlags flags = Qt::Window;
  if (style_ & ui::kCaption) {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  } else {
    flags |= Qt::FramelessWindowHint;
  }
  if (topMost_) flags |= Qt::WindowStaysOnTopHint;
  if (style_ & ui::kNoActivate) flags |= Qt::Tool | Qt::WindowDoesNotAcceptFocus;
  const bool visible = outer_->isVisible();
  outer_->setWindowFlags(flags);  // hides the window
  if (visible) outer_->show();
}

void QtWindow::SetCaptionBar(bool shown) {
  if (outer_.isNull() || parent_ || ((style_ & ui::kCaption) != 0) == shown) return;
  const ui::Rect client = ScreenClientRect();
  style_ = shown ? (style_ | ui::kCaption) : (style_ & ~ui::kCaption);
  ApplyWindowFlags();
  Move(client);
}

QtWindow::Control* QtWindow::Find(int id) {
  for (auto& c : controls_) {
    if (c->id == id) return c.get();
  }
  return nullptr;
}

const QtWindow::Control* QtWindow::Find(int id) const {
  for (const auto& c : controls_) {
    if (c->id == id) return c.get();
  }
  return nullptr;
}

QWidget* QtWindow::ControlWidget(int id) const {
  const Control* c = Find(id);
  return c ? c->widget : nullptr;
}

void QtWindow::CreateControl(const ui::ControlTemplate& t) {
  auto c = std::make_unique<Control>();
  c->id = t.id;
  c->kind = t.kind;
  c->rect = t.rect;
  c->style = t.style;
  const int id = t.id;
  const QString caption = Q(t.caption);
  QWidget* parent = client_;

  switch (t.kind) {
    case ControlKind::kPushButton:
    case ControlKind::kDefaultPushButton: {
      auto* b = new QPushButton(caption, parent);
      b->setDefault(t.kind == ControlKind::kDefaultPushButton);
      QObject::connect(b, &QPushButton::clicked, b, [this, id] { Notify(id, Notification::kClicked); });
      c->widget = b;
      break;
    }
    case ControlKind::kOwnerDrawButton: {
      QtOwnerDrawControl::Callbacks callbacks;
      callbacks.draw = [this, id](gfx::Bitmap& canvas, const ui::DrawItemState& state) {
        if (!destroyed_) handler_.OnDrawItem(*this, id, canvas, state);
      };
      callbacks.pointerDown = [this, id](gfx::Point p) {
        if (!destroyed_) handler_.OnControlPointerDown(*this, id, p);
      };
      callbacks.pointerMove = [this, id](gfx::Point p, bool down) {
        if (!destroyed_) handler_.OnControlPointerMove(*this, id, p, down);
      };
      callbacks.pointerUp = [this, id](gfx::Point p) {
        if (!destroyed_) handler_.OnControlPointerUp(*this, id, p);
      };
      auto* b = new QtOwnerDrawControl(parent, std::move(callbacks));
      b->setText(caption);
      QObject::connect(b, &QAbstractButton::clicked, b, [this, id] { Notify(id, Notification::kClicked); });
      c->widget = b;
      break;
    }
    case ControlKind::kCheckBox:
    case ControlKind::kThreeStateCheckBox: {
      auto* b = new DeviceCheckBox(caption, parent);
      b->setTristate(t.kind == ControlKind::kThreeStateCheckBox);
      QObject::connect(b, &QCheckBox::clicked, b, [this, id] { Notify(id, Notification::kClicked); });
      c->widget = b;
      break;
    }
    case ControlKind::kRadioButton: {
      auto* b = new QRadioButton(caption, parent);
      // Qt would make every radio button of the window one group; the device's groups run from a
      // kGroupStart button to the next one.
      b->setAutoExclusive(false);
      QButtonGroup* group = nullptr;
      if (!(t.style & ui::kGroupStart) && !controls_.empty() && controls_.back()->kind == ControlKind::kRadioButton) {
        group = controls_.back()->group;
      }
      if (!group) {
        group = new QButtonGroup(parent);
        group->setExclusive(true);
      }
      group->addButton(b);
      c->group = group;
      QObject::connect(b, &QRadioButton::clicked, b, [this, id] { Notify(id, Notification::kClicked); });
      c->widget = b;
      break;
    }
    case ControlKind::kStatic:
    case ControlKind::kStatusText:
    case ControlKind::kPicture: {
      auto* l = new QLabel(parent);
      l->setTextFormat(Qt::PlainText);
      if (t.kind == ControlKind::kPicture) {
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      } else {
        l->setText(caption);
        l->setWordWrap(t.kind == ControlKind::kStatusText);
        l->setAlignment(TextAlignment(t.style, Qt::AlignTop));
      }
      if (t.style & ui::kBorder) l->setFrameStyle(QFrame::Box | QFrame::Plain);
      c->widget = l;
      break;
    }
    case ControlKind::kEdit: {
      auto* e = new QLineEdit(caption, parent);
      e->setAlignment(TextAlignment(t.style, Qt::AlignVCenter));
      e->setReadOnly((t.style & ui::kReadOnly) != 0);
      if (t.style & ui::kNumber) {
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
      }
      QObject::connect(e, &QLineEdit::textChanged, e, [this, id] { Notify(id, Notification::kTextChanged); });
      c->widget = e;
      break;
    }
    case ControlKind::kListBox:
    case ControlKind::kListView: {
      auto* l = new QListWidget(parent);
      l->setSelectionMode(QAbstractItemView::SingleSelection);
      if (t.kind == ControlKind::kListView) {
        l->setViewMode(QListView::ListMode);
        l->setIconSize(QSize(16, 16));
      }
      QObject::connect(l, &QListWidget::currentRowChanged, l,
                       [this, id] { Notify(id, Notification::kSelectionChanged); });
      QObject::connect(l, &QListWidget::itemDoubleClicked, l,
                       [this, id] { Notify(id, Notification::kDoubleClicked); });
      c->widget = l;
      break;
    }
    case ControlKind::kComboList:
    case ControlKind::kComboEdit: {
      auto* cb = new QComboBox(parent);
      if (t.kind == ControlKind::kComboEdit) {
        cb->setEditable(true);
        cb->setInsertPolicy(QComboBox::NoInsert);
        cb->setEditText(caption);
        QObject::connect(cb->lineEdit(), &QLineEdit::textEdited, cb,
                         [this, id] { Notify(id, Notification::kTextChanged); });
      }
      QObject::connect(cb, &QComboBox::activated, cb, [this, id] { Notify(id, Notification::kSelectionChanged); });
      c->widget = cb;
      break;
    }
    case ControlKind::kTab: {
      auto* tab = new QtTabControl(parent);
      QObject::connect(tab->tabBar(), &QTabBar::currentChanged, tab,
                       [this, id] { Notify(id, Notification::kSelectionChanged); });
      c->widget = tab;
      break;
    }
    case ControlKind::kMonthCalendar: {
      auto* cal = new QCalendarWidget(parent);
      cal->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
      QObject::connect(cal, &QCalendarWidget::selectionChanged, cal,
                       [this, id] { Notify(id, Notification::kDateChanged); });
      c->widget = cal;
      break;
    }
    case ControlKind::kUpDown: {
      auto* ud = new QtUpDownControl(parent, [this, id] {
        Control* self = Find(id);
        if (!self) return;
        // The buddy shows the new value; that is a change of its text the user made.
        if (self->hasBuddy) {
          if (Control* buddy = Find(self->buddy); buddy && buddy->edit()) {
            buddy->edit()->setText(QString::number(self->upDown()->value()));
          }
        }
        Notify(id, Notification::kValueChanged);
      });
      if (!controls_.empty()) {
        c->buddy = controls_.back()->id;
        c->hasBuddy = true;
        if (QLineEdit* e = controls_.back()->edit()) {
          bool ok = false;
          const int v = e->text().toInt(&ok);
          if (ok) ud->SetValue(v);
        }
      }
      c->widget = ud;
      break;
    }
    case ControlKind::kGroupBox: {
      auto* g = new QGroupBox(caption, parent);
      // A frame drawn around other controls: clicks pass through it to them and to the window.
      g->setAttribute(Qt::WA_TransparentForMouseEvents);
      c->widget = g;
      break;
    }
  }

  c->widget->setProperty("vexaControlId", id);
  if (t.style & ui::kDisabled) c->widget->setEnabled(false);
  Control& placed = *c;
  controls_.push_back(std::move(c));
  PlaceControl(placed);
  if (t.kind == ControlKind::kGroupBox) placed.widget->lower();
  placed.widget->setVisible(!(t.style & ui::kHidden));
}

void QtWindow::PlaceControl(Control& c) {
  const ui::Rect& r = c.rect;
  int height = r.height();
  // A combo box's rectangle includes its dropped-down list; the closed box is as high as its text.
  if (IsCombo(c.kind)) height = std::min(height, c.widget->sizeHint().height());
  c.widget->setGeometry(r.left, r.top, r.width(), height);
}

// --- The window ---

void QtWindow::Show(bool visible) {
  if (destroyed_ || outer_.isNull()) return;
  if (!visible) {
    outer_->hide();
    return;
  }
  if (parent_) {
    outer_->show();
    RaiseWindow(outer_);
    return;
  }
  // Keeps an owned window above its owner on a desktop.
  if (QtWindow* owner = ui_.FindWindow(owner_); owner && !owner->outer_.isNull() && !outer_->windowHandle()) {
    outer_->winId();
    if (outer_->windowHandle() && owner->outer_->windowHandle()) {
      outer_->windowHandle()->setTransientParent(owner->outer_->windowHandle());
    }
  }
  if (!opened_) {
    opened_ = true;
    ui_.log().Record("window_opened", {{"title", GetTitle()}});
  }
  // The desktop adapter sees the native window before it is mapped (a window manager reads the
  // window's class, type and decorations once, when the window is mapped); a window made again is
  // seen again.
  {
    const auto nativeId = static_cast<std::uint64_t>(outer_->winId());
    if (nativeId != markedNativeId_) {
      markedNativeId_ = nativeId;
      ui_.MarkNativeWindow(nativeId, className_);
    }
  }
  outer_->show();
  RaiseWindow(outer_);
  if (!(style_ & ui::kNoActivate)) outer_->activateWindow();
  ui_.BringToTop(handle_);
}

bool QtWindow::IsVisible() const { return !destroyed_ && !outer_.isNull() && outer_->isVisible(); }

void QtWindow::Move(const ui::Rect& rect) {
  if (outer_.isNull()) return;
  if (parent_) {
    client_->setGeometry(rect.left, rect.top, rect.width(), rect.height());
    return;
  }
  const ui::Rect o = rect.Inflate(border_, border_);
  outer_->setGeometry(o.left, o.top, o.width(), o.height());
  if (border_) client_->setGeometry(border_, border_, rect.width(), rect.height());
}

ui::Rect QtWindow::GetRect() const {
  if (outer_.isNull()) return {};
  if (parent_) {
    const QRect g = client_->geometry();
    return ui::Rect::FromSize(g.x(), g.y(), g.width(), g.height());
  }
  return ScreenClientRect();
}

ui::Rect QtWindow::ScreenClientRect() const {
  if (outer_.isNull()) return {};
  if (parent_) {
    const QPoint origin = client_->mapToGlobal(QPoint(0, 0));
    return ui::Rect::FromSize(origin.x(), origin.y(), client_->width(), client_->height());
  }
  const QRect g = outer_->geometry();
  return ui::Rect::FromSize(g.x(), g.y(), g.width(), g.height()).Inflate(-border_, -border_);
}

void QtWindow::Enable(bool enabled) {
  if (!outer_.isNull()) outer_->setEnabled(enabled);
}

void QtWindow::SetTitle(std::u16string_view title) {
  if (!outer_.isNull()) outer_->setWindowTitle(Q(title));
}

std::u16string QtWindow::GetTitle() const { return outer_.isNull() ? std::u16string() : U(outer_->windowTitle()); }

void QtWindow::SetIcon(int resourceId) {
  if (outer_.isNull()) return;
  outer_->setProperty("vexaIcon", resourceId);
  if (std::optional<gfx::Bitmap> icon = ui_.Icon(resourceId)) {
    outer_->setWindowIcon(QIcon(QPixmap::fromImage(CopyImage(*icon))));
  }
}

void QtWindow::SetZOrder(ui::ZOrder order) {
  if (destroyed_ || outer_.isNull()) return;
  switch (order) {
    case ui::ZOrder::kTop:
      RaiseWindow(outer_);
      if (!parent_) ui_.BringToTop(handle_);
      break;
    case ui::ZOrder::kBottom:
      LowerWindow(outer_);
      if (!parent_) ui_.SendToBottom(handle_);
      break;
    case ui::ZOrder::kTopMost:
    case ui::ZOrder::kNotTopMost:
      if (parent_) break;
      // Changing the flags hides and shows the window again: only when they change.
      if (topMost_ != (order == ui::ZOrder::kTopMost)) {
        topMost_ = order == ui::ZOrder::kTopMost;
        ApplyWindowFlags();
      }
      RaiseWindow(outer_);
      ui_.BringToTop(handle_);
      break;
  }
}

void QtWindow::Invalidate() {
  if (!destroyed_ && client_) client_->update();
}

void QtWindow::Update() {
  if (!destroyed_ && client_ && client_->isVisible()) client_->repaint();
}

void QtWindow::EndModal(int result) {
  if (destroyed_) return;
  if (!modal_) {
    // Only modal runs have a result to give; a modeless window asked to end simply goes.
    Destroy();
    return;
  }
  if (modal_->done) return;
  modal_->done = true;
  modal_->result = result;
}

void QtWindow::Close() {
  if (destroyed_) return;
  if (!handler_.OnClose(*this)) return;
  if (modal_) {
    EndModal(0);
  } else {
    Destroy();
  }
}

void QtWindow::Destroy() {
  if (destroyed_ || destroying_) return;
  destroying_ = true;
  for (WindowHandle child : children_) {
    if (QtWindow* w = ui_.FindWindow(child)) w->Destroy();
  }
  for (const auto& [id, timer] : timers_) ui_.timers().Stop(timer);
  timers_.clear();
  // The window and its controls are still there for the handler to read.
  handler_.OnDestroy(*this);
  const std::u16string title = GetTitle();
  destroyed_ = true;
  if (modal_ && !modal_->done) modal_->done = true;
  if (opened_) ui_.log().Record("window_closed", {{"title", title}});
  if (!outer_.isNull()) {
    outer_->hide();
    // Later, when no handler of these widgets is running any more.
    outer_->deleteLater();
  }
  ui_.Retire(handle_);
}

void QtWindow::SetTimer(int timerId, int milliseconds) {
  if (destroyed_) return;
  KillTimer(timerId);
  timers_[timerId] = ui_.timers().Start(milliseconds, [this, timerId] {
    if (!destroyed_) handler_.OnTimer(*this, timerId);
  });
}

void QtWindow::KillTimer(int timerId) {
  auto it = timers_.find(timerId);
  if (it == timers_.end()) return;
  ui_.timers().Stop(it->second);
  timers_.erase(it);
}

void QtWindow::Post(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) {
  ui_.PostTo(handle_, message, wParam, lParam);
}

void QtWindow::DeliverPosted(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) {
  if (!destroyed_) handler_.OnPosted(*this, message, wParam, lParam);
}

void QtWindow::Activated() {
  if (!destroyed_ && !parent_) ui_.BringToTop(handle_);
}

void QtWindow::Notify(int id, Notification notification) {
  if (quiet_ > 0 || destroyed_) return;
  handler_.OnCommand(*this, id, notification);
}

void QtWindow::PaintClient(QWidget& widget, const QRect& damage) {
  QPainter painter(&widget);
  if (destroyed_ || widget.width() <= 0 || widget.height() <= 0) {
    painter.fillRect(widget.rect(), widget.palette().color(QPalette::Window));
    return;
  }
  // Only the damaged rectangle is drawn: one slot's repaint costs a canvas of that slot's size.
  const QRect damaged = (damage.isEmpty() ? widget.rect() : damage) & widget.rect();
  if (damaged.isEmpty()) return;
  gfx::Bitmap canvas({widget.width(), widget.height()},
                     gfx::Rect::FromSize(damaged.x(), damaged.y(), damaged.width(), damaged.height()),
                     gfx::ToPixel(gfx::SystemColors::kButtonFace));
  if (handler_.OnPaint(*this, canvas)) {
    // 0xAARRGGBB words are Qt's RGB32 layout: the image wraps the pixels without copying them.
    const auto& stored = canvas.stored();
    const QImage image(reinterpret_cast<const uchar*>(canvas.Row(stored.top)), stored.width(), stored.height(),
                       static_cast<qsizetype>(stored.width()) * 4, QImage::Format_RGB32);
    painter.drawImage(stored.left, stored.top, image);
  } else {
    painter.fillRect(damaged, widget.palette().color(QPalette::Window));
  }
}

void QtWindow::PointerDown(ui::Point p) {
  if (!destroyed_) handler_.OnPointerDown(*this, p);
}
void QtWindow::PointerMove(ui::Point p, bool buttonDown) {
  if (!destroyed_) handler_.OnPointerMove(*this, p, buttonDown);
}
void QtWindow::PointerUp(ui::Point p) {
  if (!destroyed_) handler_.OnPointerUp(*this, p);
}

// --- Controls ---

void QtWindow::SetText(int id, std::u16string_view text) {
  Control* c = Find(id);
  if (!c) return;
  Quiet quiet(*this);
  const QString s = Q(text);
  if (QAbstractButton* b = c->button()) {
    b->setText(s);
    b->update();
  } else if (QLabel* l = c->label()) {
    l->setText(s);
  } else if (c->kind == ControlKind::kEdit) {
    c->edit()->setText(s);
  } else if (c->kind == ControlKind::kComboEdit) {
    c->combo()->setEditText(s);
  } else if (c->kind == ControlKind::kComboList) {
    // A drop-down list shows only its items: the text selects the item that has it.
    c->combo()->setCurrentIndex(c->combo()->findText(s, Qt::MatchFixedString));
  } else if (c->kind == ControlKind::kGroupBox) {
    static_cast<QGroupBox*>(c->widget)->setTitle(s);
  }
}

std::u16string QtWindow::GetText(int id) const {
  const Control* c = Find(id);
  if (!c) return {};
  if (QAbstractButton* b = c->button()) return U(b->text());
  if (QLabel* l = c->label()) return U(l->text());
  if (QLineEdit* e = c->edit()) return U(e->text());
  if (QComboBox* cb = c->combo()) return U(cb->currentText());
  if (QListWidget* l = c->list()) {
    const QListWidgetItem* item = l->currentItem();
    return item ? U(item->text()) : std::u16string();
  }
  if (QTabBar* t = c->tabs()) return t->currentIndex() >= 0 ? U(t->tabText(t->currentIndex())) : std::u16string();
  if (c->kind == ControlKind::kGroupBox) return U(static_cast<QGroupBox*>(c->widget)->title());
  if (QtUpDownControl* ud = c->upDown()) return U(QString::number(ud->value()));
  return {};
}

void QtWindow::SetCheck(int id, CheckState state) {
  Control* c = Find(id);
  if (!c) return;
  Quiet quiet(*this);
  if (auto* box = dynamic_cast<QCheckBox*>(c->widget)) {
    if (state == CheckState::kIndeterminate && !box->isTristate()) state = CheckState::kChecked;
    box->setCheckState(state == CheckState::kChecked         ? Qt::Checked
                       : state == CheckState::kIndeterminate ? Qt::PartiallyChecked
                                                             : Qt::Unchecked);
  } else if (c->kind == ControlKind::kRadioButton) {
    auto* radio = static_cast<QRadioButton*>(c->widget);
    if (state != CheckState::kUnchecked) {
      radio->setChecked(true);  // the group clears the others
    } else {
      // An exclusive group refuses to clear its checked button; the program may, as on the device.
      c->group->setExclusive(false);
      radio->setChecked(false);
      c->group->setExclusive(true);
    }
  } else if (c->kind == ControlKind::kPushButton || c->kind == ControlKind::kDefaultPushButton) {
    // A push button shown pressed.
    auto* b = static_cast<QPushButton*>(c->widget);
    b->setCheckable(true);
    b->setChecked(state != CheckState::kUnchecked);
  }
}

CheckState QtWindow::GetCheck(int id) const {
  const Control* c = Find(id);
  if (!c) return CheckState::kUnchecked;
  if (auto* box = dynamic_cast<QCheckBox*>(c->widget)) {
    switch (box->checkState()) {
      case Qt::Checked: return CheckState::kChecked;
      case Qt::PartiallyChecked: return CheckState::kIndeterminate;
      case Qt::Unchecked: return CheckState::kUnchecked;
    }
  }
  if (QAbstractButton* b = c->button()) return b->isChecked() ? CheckState::kChecked : CheckState::kUnchecked;
  return CheckState::kUnchecked;
}

void QtWindow::EnableControl(int id, bool enabled) {
  if (Control* c = Find(id)) c->widget->setEnabled(enabled);
}

bool QtWindow::IsControlEnabled(int id) const {
  const Control* c = Find(id);
  return c && c->widget->isEnabledTo(client_);
}

void QtWindow::ShowControl(int id, bool visible) {
  if (Control* c = Find(id)) c->widget->setVisible(visible);
}

void QtWindow::MoveControl(int id, const ui::Rect& rect) {
  Control* c = Find(id);
  if (!c) return;
  c->rect = rect;
  PlaceControl(*c);
}

void QtWindow::SetControlZOrder(int id, ui::ZOrder order) {
  Control* c = Find(id);
  if (!c) return;
  if (order == ui::ZOrder::kBottom) c->widget->lower();
  if (order == ui::ZOrder::kTop || order == ui::ZOrder::kTopMost) c->widget->raise();
}

ui::Rect QtWindow::GetControlRect(int id) const {
  const Control* c = Find(id);
  return c ? c->rect : ui::Rect{};
}

void QtWindow::SetControlFont(int id, const FontSpec& font) {
  Control* c = Find(id);
  if (!c) return;
  c->widget->setFont(ToQFont(font, c->widget->font()));
  if (IsCombo(c->kind)) PlaceControl(*c);
}

void QtWindow::SetControlColors(int id, std::optional<gfx::ColorRef> text, std::optional<gfx::ColorRef> background) {
  Control* c = Find(id);
  if (!c) return;
  QPalette palette = c->widget->palette();
  if (text) {
    const QColor color = ToQColor(*text);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
      palette.setColor(role, color);
    }
  }
  if (background) {
    const QColor color = ToQColor(*background);
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button}) palette.setColor(role, color);
    c->widget->setAutoFillBackground(true);
  }
  c->widget->setPalette(palette);
}

void QtWindow::InvalidateControl(int id) {
  if (Control* c = Find(id)) c->widget->update();
}

void QtWindow::SetFocus(int id) {
  if (Control* c = Find(id)) c->widget->setFocus(Qt::OtherFocusReason);
}

void QtWindow::SetControlPicture(int id, const gfx::Bitmap& picture) {
  Control* c = Find(id);
  if (!c || !c->label()) return;
  c->label()->setPixmap(QPixmap::fromImage(CopyImage(picture)));
}

// --- Items ---

int QtWindow::AddItem(int id, std::u16string_view text) {
  Control* c = Find(id);
  if (!c) return -1;
  const bool sorted = (c->style & ui::kSorted) != 0;
  const QString s = Q(text);
  int index = -1;
  if (QListWidget* l = c->list()) {
    index = sorted ? SortedPosition(l->count(), s, [l](int i) { return l->item(i)->text(); }) : l->count();
  } else if (QComboBox* cb = c->combo()) {
    index = sorted ? SortedPosition(cb->count(), s, [cb](int i) { return cb->itemText(i); }) : cb->count();
  } else if (QTabBar* t = c->tabs()) {
    index = t->count();
  } else {
    return -1;
  }
  return InsertItem(id, index, text);
}

int QtWindow::InsertItem(int id, int index, std::u16string_view text) {
  Control* c = Find(id);
  if (!c) return -1;
  Quiet quiet(*this);
  const QString s = Q(text);
  // An index of -1 or past the end appends.
  auto position = [index](int count) { return index < 0 || index > count ? count : index; };
  if (QListWidget* l = c->list()) {
    const int at = position(l->count());
    l->insertItem(at, s);
    return at;
  }
  if (QComboBox* cb = c->combo()) {
    const int at = position(cb->count());
    const QString editText = cb->currentText();
    cb->insertItem(at, s);
    // A combo box has no selection until the program or the user makes one (Qt selects the first
    // item put into an empty one), and an editable one keeps what its field shows.
    if (cb->count() == 1) {
      cb->setCurrentIndex(-1);
      if (cb->isEditable()) cb->setEditText(editText);
    }
    return at;
  }
  if (QTabBar* t = c->tabs()) return t->insertTab(position(t->count()), s);
  return -1;
}

void QtWindow::DeleteItem(int id, int index) {
  Control* c = Find(id);
  if (!c || index < 0) return;
  Quiet quiet(*this);
  if (QListWidget* l = c->list()) {
    if (index < l->count()) delete l->takeItem(index);
  } else if (QComboBox* cb = c->combo()) {
    if (index < cb->count()) cb->removeItem(index);
  } else if (QTabBar* t = c->tabs()) {
    if (index < t->count()) t->removeTab(index);
  }
}

void QtWindow::ClearItems(int id) {
  Control* c = Find(id);
  if (!c) return;
  Quiet quiet(*this);
  if (QListWidget* l = c->list()) {
    l->clear();
  } else if (QComboBox* cb = c->combo()) {
    const QString editText = cb->isEditable() ? cb->currentText() : QString();
    cb->clear();
    // Emptying the list of an editable combo leaves what is typed in its field.
    if (cb->isEditable()) cb->setEditText(editText);
  } else if (QTabBar* t = c->tabs()) {
    while (t->count() > 0) t->removeTab(t->count() - 1);
  }
}

int QtWindow::ItemCount(int id) const {
  const Control* c = Find(id);
  if (!c) return 0;
  if (QListWidget* l = c->list()) return l->count();
  if (QComboBox* cb = c->combo()) return cb->count();
  if (QTabBar* t = c->tabs()) return t->count();
  return 0;
}

std::u16string QtWindow::ItemText(int id, int index) const {
  const Control* c = Find(id);
  if (!c || index < 0 || index >= ItemCount(id)) return {};
  if (QListWidget* l = c->list()) return U(l->item(index)->text());
  if (QComboBox* cb = c->combo()) return U(cb->itemText(index));
  if (QTabBar* t = c->tabs()) return U(t->tabText(index));
  return {};
}

void QtWindow::SetItemText(int id, int index, std::u16string_view text) {
  Control* c = Find(id);
  if (!c || index < 0 || index >= ItemCount(id)) return;
  Quiet quiet(*this);
  if (QListWidget* l = c->list()) l->item(index)->setText(Q(text));
  if (QComboBox* cb = c->combo()) cb->setItemText(index, Q(text));
  if (QTabBar* t = c->tabs()) t->setTabText(index, Q(text));
}

void QtWindow::SetItemData(int id, int index, std::intptr_t data) {
  Control* c = Find(id);
  if (!c || index < 0 || index >= ItemCount(id)) return;
  const QVariant value = QVariant::fromValue(static_cast<qlonglong>(data));
  if (QListWidget* l = c->list()) l->item(index)->setData(Qt::UserRole, value);
  if (QComboBox* cb = c->combo()) cb->setItemData(index, value, Qt::UserRole);
  if (QTabBar* t = c->tabs()) t->setTabData(index, value);
}

std::intptr_t QtWindow::ItemData(int id, int index) const {
  const Control* c = Find(id);
  if (!c || index < 0 || index >= ItemCount(id)) return 0;
  QVariant value;
  if (QListWidget* l = c->list()) value = l->item(index)->data(Qt::UserRole);
  if (QComboBox* cb = c->combo()) value = cb->itemData(index, Qt::UserRole);
  if (QTabBar* t = c->tabs()) value = t->tabData(index);
  return static_cast<std::intptr_t>(value.toLongLong());
}

void QtWindow::SetItemIcon(int id, int index, const gfx::Bitmap& icon) {
  Control* c = Find(id);
  if (!c || index < 0 || index >= ItemCount(id)) return;
  const QIcon qicon(QPixmap::fromImage(CopyImage(icon)));
  if (QListWidget* l = c->list()) l->item(index)->setIcon(qicon);
  if (QComboBox* cb = c->combo()) cb->setItemIcon(index, qicon);
  if (QTabBar* t = c->tabs()) t->setTabIcon(index, qicon);
}

void QtWindow::Select(int id, int index) {
  Control* c = Find(id);
  if (!c) return;
  Quiet quiet(*this);
  const int count = ItemCount(id);
  if (index >= count) index = -1;
  if (QListWidget* l = c->list()) {
    if (index < 0) {
      l->setCurrentRow(-1);
      l->clearSelection();
    } else {
      l->setCurrentRow(index);
      l->scrollToItem(l->item(index));
    }
  } else if (QComboBox* cb = c->combo()) {
    cb->setCurrentIndex(index);
  } else if (QTabBar* t = c->tabs()) {
    if (index >= 0) t->setCurrentIndex(index);
  }
}

int QtWindow::Selection(int id) const {
  const Control* c = Find(id);
  if (!c) return -1;
  if (QListWidget* l = c->list()) {
    const QListWidgetItem* item = l->currentItem();
    return item && item->isSelected() ? l->row(item) : -1;
  }
  if (QComboBox* cb = c->combo()) return cb->currentIndex();
  if (QTabBar* t = c->tabs()) return t->currentIndex();
  return -1;
}

void QtWindow::SetDate(int id, const ui::Date& date) {
  Control* c = Find(id);
  if (!c || !c->calendar()) return;
  const QDate d(date.year, date.month, date.day);
  if (!d.isValid()) return;
  Quiet quiet(*this);
  c->calendar()->setSelectedDate(d);
}

ui::Date QtWindow::GetDate(int id) const {
  const Control* c = Find(id);
  if (!c || !c->calendar()) return {};
  const QDate d = c->calendar()->selectedDate();
  return {d.year(), d.month(), d.day()};
}

void QtWindow::SetRange(int id, int low, int high) {
  Control* c = Find(id);
  if (c && c->upDown()) c->upDown()->SetRange(low, high);
}

void QtWindow::SetValue(int id, int value) {
  Control* c = Find(id);
  if (!c || !c->upDown()) return;
  Quiet quiet(*this);
  c->upDown()->SetValue(value);
  if (c->hasBuddy) {
    if (Control* buddy = Find(c->buddy); buddy && buddy->edit()) {
      buddy->edit()->setText(QString::number(c->upDown()->value()));
    }
  }
}

int QtWindow::GetValue(int id) const {
  const Control* c = Find(id);
  if (!c || !c->upDown()) return 0;
  // The buddy's text counts when it holds a number: the user may have typed one there.
  if (c->hasBuddy) {
    if (const Control* buddy = Find(c->buddy); buddy && buddy->edit()) {
      bool ok = false;
      const int v = buddy->edit()->text().toInt(&ok);
      if (ok) {
        const QtUpDownControl* ud = c->upDown();
        return std::clamp(v, std::min(ud->low(), ud->high()), std::max(ud->low(), ud->high()));
      }
    }
  }
  return c->upDown()->value();
}

ui::Rect QtWindow::TabPageArea(int id) const {
  const Control* c = Find(id);
  if (!c || c->kind != ControlKind::kTab) return {};
  const QRect area = static_cast<QtTabControl*>(c->widget)->pageArea();
  return ui::Rect::FromSize(c->rect.left + area.x(), c->rect.top + area.y(), area.width(), area.height());
}

// --- What a user does ---

std::string QtWindow::Describe(int id) const {
  return "control " + std::to_string(id) + " of window \"" + text::ToUtf8(GetTitle()) + "\"";
}

std::string QtWindow::CheckUsable(const Control* c, int id) const {
  if (destroyed_) return "window \"" + text::ToUtf8(GetTitle()) + "\" is closed";
  if (!c) return "window \"" + text::ToUtf8(GetTitle()) + "\" has no control " + std::to_string(id);
  if (!c->widget->isVisibleTo(client_)) return Describe(id) + " is hidden";
  if (!c->widget->isEnabledTo(client_) || !client_->isEnabled()) return Describe(id) + " is disabled";
  return {};
}

namespace {

// Kinds that show a caption of their own; the others are named by the label before them.
bool HasOwnCaption(ControlKind k) {
  return IsButton(k) || k == ControlKind::kStatic || k == ControlKind::kStatusText ||
         k == ControlKind::kGroupBox;
}

}  // namespace

// The caption a user reads for control `index`: its own text, or that of the static text right before
// it in the template for the controls that take input and have none of their own (Width: [   ]).
std::optional<std::u16string> QtWindow::ShownCaption(std::size_t index) const {
  const Control& c = *controls_[index];
  if (HasOwnCaption(c.kind)) return GetText(c.id);
  if (c.kind == ControlKind::kPicture || c.kind == ControlKind::kUpDown) return std::nullopt;
  if (index == 0) return std::nullopt;
  const Control& label = *controls_[index - 1];
  if (label.kind == ControlKind::kStatic) return GetText(label.id);
  return std::nullopt;
}

std::string QtWindow::Resolve(const ui::ControlRef& control, UserAction action, int& id) const {
  id = control.id;
  if (!control.caption) return {};
  const std::string window = "window \"" + text::ToUtf8(GetTitle()) + "\"";
  if (destroyed_) return window + " is closed";
  const std::u16string& wanted = *control.caption;
  const std::string captioned = "captioned \"" + text::ToUtf8(wanted) + "\"";
  if (wanted.empty()) return "an empty caption names no control of " + window;
  const auto works = [action](ControlKind k) {
    switch (action) {
      case UserAction::kClick: return IsButton(k);
      case UserAction::kCheck:
        return k == ControlKind::kCheckBox || k == ControlKind::kThreeStateCheckBox ||
               k == ControlKind::kRadioButton;
      case UserAction::kType: return k == ControlKind::kEdit || k == ControlKind::kComboEdit;
      case UserAction::kChoose:
        return IsList(k) || IsCombo(k) || k == ControlKind::kTab || k == ControlKind::kMonthCalendar;
    }
    return false;
  };
  // The controls the action works first; failing those, any control showing the caption itself, so
  // that the action says what it is ("... is a static text, not a button").
  std::vector<const Control*> found;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (works(controls_[i]->kind) && ShownCaption(i) == wanted) found.push_back(controls_[i].get());
  }
  for (std::size_t i = 0; i < controls_.size() && found.empty(); ++i) {
    const Control& c = *controls_[i];
    if (HasOwnCaption(c.kind) && GetText(c.id) == wanted) found.push_back(&c);
  }
  if (found.empty()) return window + " has no control " + captioned;
  // What the user sees decides; a caption found only on hidden controls names those, and the action
  // then reports the control as hidden.
  std::vector<const Control*> visible;
  for (const Control* c : found) {
    if (c->widget->isVisibleTo(client_)) visible.push_back(c);
  }
  const std::vector<const Control*>& named = visible.empty() ? found : visible;
  if (named.size() == 1) {
    id = named.front()->id;
    return {};
  }
  std::string ids;
  for (const Control* c : named) ids += (ids.empty() ? "" : ", ") + std::to_string(c->id);
  return window + " has " + std::to_string(named.size()) + " controls " + captioned + " (" + ids +
         "): name one by its number";
}

std::string QtWindow::UserClick(const ui::ControlRef& control) {
  int id = 0;
  if (std::string error = Resolve(control, UserAction::kClick, id); !error.empty()) return error;
  Control* c = Find(id);
  if (std::string error = CheckUsable(c, id); !error.empty()) return error;
  if (c->kind == ControlKind::kOwnerDrawButton) {
    // Through the pointer path, so that the handler sees the press and the release as well.
    QWidget* w = c->widget;
    const QPointF centre(w->width() / 2.0, w->height() / 2.0);
    const QPointF global = w->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
    return {};
  }
  if (QAbstractButton* b = c->button()) {
    b->click();
    return {};
  }
  return Describe(id) + " is a " + KindName(c->kind) + ", not a button";
}

std::string QtWindow::UserChoose(const ui::ControlRef& control, std::u16string_view item) {
  int id = 0;
  if (std::string error = Resolve(control, UserAction::kChoose, id); !error.empty()) return error;
  Control* c = Find(id);
  if (std::string error = CheckUsable(c, id); !error.empty()) return error;
  const QString wanted = Q(item);
  if (QCalendarWidget* cal = c->calendar()) {
    // "2026-12-24"
    const QDate d = QDate::fromString(wanted, Qt::ISODate);
    if (!d.isValid()) return Describe(id) + " takes a date as YYYY-MM-DD, not \"" + text::ToUtf8(item) + "\"";
    {
      Quiet quiet(*this);
      cal->setSelectedDate(d);
    }
    Notify(id, Notification::kDateChanged);
    return {};
  }
  const int count = ItemCount(id);
  if (!c->list() && !c->combo() && !c->tabs()) {
    return Describe(id) + " is a " + KindName(c->kind) + ", which has no items to choose";
  }
  int found = -1;
  for (int i = 0; i < count && found < 0; ++i) {
    if (Q(ItemText(id, i)) == wanted) found = i;
  }
  for (int i = 0; i < count && found < 0; ++i) {
    if (Q(ItemText(id, i)).compare(wanted, Qt::CaseInsensitive) == 0) found = i;
  }
  if (found < 0) return Describe(id) + " has no item \"" + text::ToUtf8(item) + "\"";
  Select(id, found);
  Notify(id, Notification::kSelectionChanged);
  return {};
}

std::string QtWindow::UserType(const ui::ControlRef& control, std::u16string_view text) {
  int id = 0;
  if (std::string error = Resolve(control, UserAction::kType, id); !error.empty()) return error;
  Control* c = Find(id);
  if (std::string error = CheckUsable(c, id); !error.empty()) return error;
  QLineEdit* e = c->edit();
  if (!e) return Describe(id) + " is a " + KindName(c->kind) + ", not an edit field";
  if (e->isReadOnly()) return Describe(id) + " is read-only";
  const QString s = Q(text);
  if ((c->style & ui::kNumber) && !std::all_of(s.begin(), s.end(), [](QChar ch) { return ch >= u'0' && ch <= u'9'; })) {
    return Describe(id) + " takes digits only, not \"" + text::ToUtf8(text) + "\"";
  }
  {
    Quiet quiet(*this);
    e->setText(s);
  }
  Notify(id, Notification::kTextChanged);
  return {};
}

std::string QtWindow::UserCheck(const ui::ControlRef& control, CheckState state) {
  int id = 0;
  if (std::string error = Resolve(control, UserAction::kCheck, id); !error.empty()) return error;
  Control* c = Find(id);
  if (std::string error = CheckUsable(c, id); !error.empty()) return error;
  if (c->kind == ControlKind::kRadioButton) {
    if (state != CheckState::kChecked) return Describe(id) + " is a radio button: check another one of its group";
  } else if (c->kind == ControlKind::kCheckBox) {
    if (state == CheckState::kIndeterminate) return Describe(id) + " has no grey state";
  } else if (c->kind != ControlKind::kThreeStateCheckBox) {
    return Describe(id) + " is a " + KindName(c->kind) + ", not a check box";
  }
  // The user clicks only when the state is not already the one wanted.
  if (GetCheck(id) == state) return {};
  SetCheck(id, state);
  Notify(id, Notification::kClicked);
  return {};
}

}  // namespace vexa::platform
