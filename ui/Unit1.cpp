#include "ui/Unit1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <cmath>

#include "run/CalculationRun.h"
#include "run/FieldParameters.h"
#include "run/ResultsFile.h"
#include "ui/Glyphs.h"
#include "ui/HandleEvent.h"
#include "ui/MessageBoxes.h"
#include "ui/LocaleSettings.h"
#include "ui/WindowFont.h"

TForm1* Form1 = nullptr;

namespace {

const char* const kCaption = "Летняя практика. Вариант № 12. Метод Адамса-Маултона 3-го порядка.";
constexpr int kClientWidth = 665;
constexpr int kClientHeight = 485;
constexpr int kLabelLeft = 16;
constexpr int kLabelHeight = 13;
constexpr int kEditLeft = 168;
constexpr int kEditWidth = 41;

// clActiveBorder: a grey that differs from the button face, which the buttons keep.
const QColor kActiveBorderColor(180, 180, 180);

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form1"));
  setFont(WindowFont());
  scale_ = DesignScale(font());
  setWindowTitle(QString::fromUtf8(kCaption));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(Scaled(kClientWidth), Scaled(kClientHeight));
  QPalette windowPalette = palette();
  windowPalette.setColor(QPalette::Window, kActiveBorderColor);
  setPalette(windowPalette);
  setAutoFillBackground(true);

  BitBtn1 = CreateBitBtn("BitBtn1", "OK", CheckMarkGlyph(), {8, 408});
  GroupBox1 = CreateGroupBox("GroupBox1", "Исходные данные системы", {0, 24, 233, 257});
  Edit1 = CreateEdit(GroupBox1, "Edit1", 24, "0");
  Edit2 = CreateEdit(GroupBox1, "Edit2", 48, "0,5");
  Edit5 = CreateEdit(GroupBox1, "Edit5", 72, "0,001");
  Edit6 = CreateEdit(GroupBox1, "Edit6", 160, "3");
  Edit7 = CreateEdit(GroupBox1, "Edit7", 184, "9000");
  Label1 = CreateLabel(GroupBox1, "Label1", 24, "Время начала сигнала t1:");
  Label2 = CreateLabel(GroupBox1, "Label2", 48, "Время окончания сигнала t4:");
  Label5 = CreateLabel(GroupBox1, "Label5", 72, "Шаг времени:");
  Label6 = CreateLabel(GroupBox1, "Label6", 160, "Значение напряжения [B]:");
  Label7 = CreateLabel(GroupBox1, "Label7", 184, "Значение R [Ом]:");
  Label9 = CreateLabel(GroupBox1, "Label9", 96, "Время t2:");
  Edit9 = CreateEdit(GroupBox1, "Edit9", 96, "0,1");
  Label10 = CreateLabel(GroupBox1, "Label10", 120, "Время t3:");
  Edit10 = CreateEdit(GroupBox1, "Edit10", 120, "0,4");
  GroupBox2 = CreateGroupBox("GroupBox2", "Начальные условия", {0, 288, 233, 73});
  Edit11 = CreateEdit(GroupBox2, "Edit11", 24, "0");
  Label12 = CreateLabel(GroupBox2, "Label12", 24, "I L1(0):");
  BitBtn2 = CreateBitBtn("BitBtn2", "Закрыть", OpenDoorGlyph(), {120, 408});
  Label13 = CreateLabel(GroupBox1, "Label13", 208, "Значение C [Ф]:");
  Edit13 = CreateEdit(GroupBox1, "Edit13", 208, "5e-6");
  GroupBox3 = CreateGroupBox("GroupBox3", "Результаты", {240, 24, 425, 433});
  Chart1 = new TChart(GroupBox3);
  Chart1->setObjectName(QStringLiteral("Chart1"));
  Chart1->setGeometry(Scaled(2), Scaled(15), Scaled(407), Scaled(410));
  Series1 = &Chart1->FastLineSeries(0);
  Series2 = &Chart1->FastLineSeries(1);

  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { HandleEvent([this] { BitBtn1Click(BitBtn1); }); });
  // Close has no handler of its own: it closes the window, which ends the program.
  connect(BitBtn2, &QPushButton::clicked, this, &QWidget::close);
  SetUpKeyboard();
}

int TForm1::Scaled(int designPixels) const {
  return static_cast<int>(std::lround(designPixels * scale_));
}

QGroupBox* TForm1::CreateGroupBox(const char* name, const char* caption, QRect designGeometry) {
  auto* group = new QGroupBox(QString::fromUtf8(caption), this);
  group->setObjectName(QString::fromLatin1(name));
  group->setGeometry(Scaled(designGeometry.x()), Scaled(designGeometry.y()),
                     Scaled(designGeometry.width()), Scaled(designGeometry.height()));
  group->setFocusPolicy(Qt::NoFocus);
  return group;
}

QLineEdit* TForm1::CreateEdit(QWidget* group, const char* name, int top, const char* defaultText) {
  auto* edit = new QLineEdit(QString::fromUtf8(defaultText), group);
  edit->setObjectName(QString::fromLatin1(name));
  // The flat look: one thin line instead of the sunken edge.
  edit->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid black; background: white; padding: 0px 1px; }"));
  const int height = QFontMetrics(font()).height() + 6;
  edit->setGeometry(Scaled(kEditLeft), Scaled(top), Scaled(kEditWidth), height);
  edit->setCursorPosition(0);
  return edit;
}

QLabel* TForm1::CreateLabel(QWidget* group, const char* name, int top, const char* caption) {
  auto* label = new QLabel(QString::fromUtf8(caption), group);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setContentsMargins(0, 0, 0, 0);
  const int width = QFontMetrics(font()).horizontalAdvance(label->text());
  label->setGeometry(Scaled(kLabelLeft), Scaled(top), width, Scaled(kLabelHeight));
  return label;
}

QPushButton* TForm1::CreateBitBtn(const char* name, const char* caption, const QPixmap& glyph,
                                  QPoint designPosition) {
  auto* button = new QPushButton(QString::fromUtf8(caption), this);
  button->setObjectName(QString::fromLatin1(name));
  button->setIcon(GlyphIcon(glyph));
  button->setIconSize(QSize(kGlyphSize, kGlyphSize));
  button->setAutoDefault(false);
  button->setGeometry(Scaled(designPosition.x()), Scaled(designPosition.y()), Scaled(81), Scaled(25));
  return button;
}

void TForm1::SetUpKeyboard() {
  QWidget* const cycle[] = {BitBtn1, Edit1, Edit2, Edit5, Edit6, Edit7, Edit9, Edit10, Edit13, Edit11, BitBtn2};
  for (std::size_t i = 0; i + 1 < std::size(cycle); ++i) setTabOrder(cycle[i], cycle[i + 1]);
  for (QWidget* widget : cycle) {
    widget->setFocusPolicy(Qt::StrongFocus);
    widget->installEventFilter(this);
  }
  BitBtn1->setFocus(Qt::OtherFocusReason);
  // The default frame stays on OK except while Close has the focus.
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) { BitBtn1->setDefault(now != BitBtn2); });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      // Plain Enter clicks the default button, or Close while it has the focus; with Shift,
      // Ctrl or Alt it does nothing.
      const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
      if (modifiers == Qt::NoModifier) {
        (watched == BitBtn2 ? BitBtn2 : BitBtn1)->click();
      }
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TForm1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LocaleChange) ReadLocaleDecimalSeparator();
  QWidget::changeEvent(event);
}

void TForm1::showEvent(QShowEvent* event) {
  if (!shownBefore_ && !event->spontaneous()) {
    shownBefore_ = true;
    const QRect desktop = screen()->virtualGeometry();
    move(desktop.center() - QPoint(width() / 2, height() / 2));
  }
  QWidget::showEvent(event);
}

std::string TForm1::FieldText(std::string_view fieldName) const {
  const auto* edit = findChild<QLineEdit*>(QString::fromUtf8(fieldName.data(), static_cast<qsizetype>(fieldName.size())));
  return edit ? edit->text().toStdString() : std::string();
}

void TForm1::BitBtn1Click(QObject*) {
  FieldParameters parameters(*this);
  ResultsFileOutput resultsFile;
  ResultBoxPresenter resultBox;
  CalculationRun({parameters, resultsFile, *Chart1, resultBox});
}
