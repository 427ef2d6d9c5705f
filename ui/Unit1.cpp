#include "ui/Unit1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QShortcut>
#include <cmath>

#include "output/ChartOutput.h"
#include "output/ResultsFileOutput.h"
#include "run/CalculationRun.h"
#include "ui/ChartMenu.h"
#include "ui/ExactCurves.h"
#include "ui/Glyphs.h"
#include "ui/HandleEvent.h"
#include "ui/HelpBox.h"
#include "ui/LocaleSettings.h"
#include "ui/MessageBoxes.h"
#include "ui/WindowFont.h"

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

// The nine parameter rows in screen order: each parameter's edit field and label, their
// component names, the caption and the row's top in its group box.
struct ParameterRow {
  Parameter parameter;
  QLineEdit* TForm1::*edit;
  const char* editName;
  QLabel* TForm1::*label;
  const char* labelName;
  const char* caption;
  QGroupBox* TForm1::*group;
  int top;
};

const ParameterRow kParameterRows[] = {
    {Parameter::T1, &TForm1::Edit1, "Edit1", &TForm1::Label1, "Label1", "Время начала сигнала t1:", &TForm1::GroupBox1, 24},
    {Parameter::T4, &TForm1::Edit2, "Edit2", &TForm1::Label2, "Label2", "Время окончания сигнала t4:", &TForm1::GroupBox1, 48},
    {Parameter::Step, &TForm1::Edit5, "Edit5", &TForm1::Label5, "Label5", "Шаг времени:", &TForm1::GroupBox1, 72},
    {Parameter::T2, &TForm1::Edit9, "Edit9", &TForm1::Label9, "Label9", "Время t2:", &TForm1::GroupBox1, 96},
    {Parameter::T3, &TForm1::Edit10, "Edit10", &TForm1::Label10, "Label10", "Время t3:", &TForm1::GroupBox1, 120},
    // The letter in "[B]" is the Latin B.
    {Parameter::Amplitude, &TForm1::Edit6, "Edit6", &TForm1::Label6, "Label6", "Значение напряжения [B]:", &TForm1::GroupBox1, 160},
    {Parameter::R, &TForm1::Edit7, "Edit7", &TForm1::Label7, "Label7", "Значение R [Ом]:", &TForm1::GroupBox1, 184},
    {Parameter::C, &TForm1::Edit13, "Edit13", &TForm1::Label13, "Label13", "Значение C [Ф]:", &TForm1::GroupBox1, 208},
    {Parameter::U0, &TForm1::Edit11, "Edit11", &TForm1::Label12, "Label12", "I L1(0):", &TForm1::GroupBox2, 24},
};

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// "Шаг времени (с)": the parameter's meaning with a capital, and its unit.
QString ToolTipOf(Parameter parameter) {
  const ParameterInfo& info = ParameterInfoOf(parameter);
  QString meaning = FromUtf8(info.meaning);
  if (!meaning.isEmpty()) meaning[0] = meaning[0].toUpper();
  return QStringLiteral("%1 (%2)").arg(meaning, FromUtf8(info.unit));
}

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
  GroupBox2 = CreateGroupBox("GroupBox2", "Начальные условия", {0, 288, 233, 73});
  CreateParameterRows();
  BitBtn2 = CreateBitBtn("BitBtn2", "Закрыть", OpenDoorGlyph(), {120, 408});
  GroupBox3 = CreateGroupBox("GroupBox3", "Результаты", {240, 24, 425, 433});
  Chart1 = new TChart(GroupBox3);
  Chart1->setObjectName(QStringLiteral("Chart1"));
  Chart1->setGeometry(Scaled(2), Scaled(15), Scaled(407), Scaled(410));
  Series1 = &Chart1->FastLineSeries(0);
  Series2 = &Chart1->FastLineSeries(1);
  exactCurves_ = std::make_unique<ExactCurves>(*Chart1);
  chartMenu_ = new ChartMenu(*Chart1, *exactCurves_, this);

  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { HandleEvent([this] { BitBtn1Click(BitBtn1); }); });
  // Close has no handler of its own: it closes the window, which ends the program.
  connect(BitBtn2, &QPushButton::clicked, this, &QWidget::close);
  SetUpKeyboard();
}

TForm1::~TForm1() = default;

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

void TForm1::CreateParameterRows() {
  for (const ParameterRow& row : kParameterRows) {
    QGroupBox* group = this->*row.group;
    this->*row.edit = CreateEdit(group, row.editName, row.top, QString::fromStdString(DefaultText(row.parameter)));
    (this->*row.edit)->setToolTip(ToolTipOf(row.parameter));
    this->*row.label = CreateLabel(group, row.labelName, row.top, row.caption);
  }
}

QLineEdit* TForm1::CreateEdit(QWidget* group, const char* name, int top, const QString& defaultText) {
  auto* edit = new QLineEdit(defaultText, group);
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
  // The chart takes the focus only by a click (for its menu key); Enter there runs too.
  Chart1->installEventFilter(this);
  BitBtn1->setFocus(Qt::OtherFocusReason);
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this, [this] { HandleEvent([this] { ShowHelp(); }); });
  // The default frame stays on OK except while Close has the focus. OK holds the connection,
  // not the window: the focus moves again while the window is being destroyed.
  connect(qApp, &QApplication::focusChanged, BitBtn1,
          [ok = BitBtn1, close = BitBtn2](QWidget*, QWidget* now) { ok->setDefault(now != close); });
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

QLineEdit* TForm1::EditOf(Parameter parameter) const {
  for (const ParameterRow& row : kParameterRows)
    if (row.parameter == parameter) return this->*row.edit;
  return nullptr;
}

std::string TForm1::Text(Parameter parameter) const { return EditOf(parameter)->text().toStdString(); }

void TForm1::ShowHelp() {
  QList<HelpField> fields;
  for (const ParameterRow& row : kParameterRows) {
    const ParameterInfo& info = ParameterInfoOf(row.parameter);
    fields << HelpField{QString::fromUtf8(row.caption), FromUtf8(info.meaning), FromUtf8(info.unit)};
  }
  ShowHelpBox(fields, this);
}

void TForm1::BitBtn1Click(QObject*) {
  // The progress dialog processes events; nothing may start a second run meanwhile.
  if (running_) return;
  running_ = true;
  struct Done {
    bool& running;
    ~Done() { running = false; }
  } done{running_};

  TypedParameters parameters(*this);
  ResultsFileOutput resultsFile(".");
  RunProgress progress(this, progressTiming_);
  ChartOutput chart(*Chart1);
  ResultBoxOutput resultBox;
  CalculationRun(parameters, {&resultsFile, &progress, exactCurves_.get(), &chart, &resultBox});
}
