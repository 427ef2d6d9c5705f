// The main window as it starts: component names, captions, default texts and geometry at the
// design scale, window settings, the font's clearance, the glyphs, and the keyboard (first
// focus, Tab cycle, Enter, Escape, the default-button frame, text selection on entry).
#include <QFontMetrics>
#include <QImage>

#include "WindowFixture.h"
#include "ui/Glyphs.h"

namespace {

struct DesignGeometry {
  const char* name;
  const char* parent;
  QRect geometry;  // a width of -1: the label sizes itself to its text
};

// The design's tables, relative to the client area or to the group box's outer corner.
const DesignGeometry kDesignGeometry[] = {
    {"BitBtn1", "Form1", {8, 408, 81, 25}},      {"GroupBox1", "Form1", {0, 24, 233, 257}},
    {"GroupBox2", "Form1", {0, 288, 233, 73}},   {"BitBtn2", "Form1", {120, 408, 81, 25}},
    {"GroupBox3", "Form1", {240, 24, 425, 433}}, {"Chart1", "GroupBox3", {2, 15, 407, 410}},
    {"Edit1", "GroupBox1", {168, 24, 41, 19}},   {"Edit2", "GroupBox1", {168, 48, 41, 19}},
    {"Edit5", "GroupBox1", {168, 72, 41, 19}},   {"Edit9", "GroupBox1", {168, 96, 41, 19}},
    {"Edit10", "GroupBox1", {168, 120, 41, 19}}, {"Edit6", "GroupBox1", {168, 160, 41, 19}},
    {"Edit7", "GroupBox1", {168, 184, 41, 19}},  {"Edit13", "GroupBox1", {168, 208, 41, 19}},
    {"Edit11", "GroupBox2", {168, 24, 41, 19}},  {"Label1", "GroupBox1", {16, 24, -1, 13}},
    {"Label2", "GroupBox1", {16, 48, -1, 13}},   {"Label5", "GroupBox1", {16, 72, -1, 13}},
    {"Label9", "GroupBox1", {16, 96, -1, 13}},   {"Label10", "GroupBox1", {16, 120, -1, 13}},
    {"Label6", "GroupBox1", {16, 160, -1, 13}},  {"Label7", "GroupBox1", {16, 184, -1, 13}},
    {"Label13", "GroupBox1", {16, 208, -1, 13}}, {"Label12", "GroupBox2", {16, 24, -1, 13}},
};

struct Row {
  const char* label;
  const char* caption;
  const char* edit;
  const char* defaultText;
  Parameter parameter;
};

const Row kRows[] = {
    {"Label1", "Время начала сигнала t1:", "Edit1", "0", Parameter::T1},
    {"Label2", "Время окончания сигнала t4:", "Edit2", "0,5", Parameter::T4},
    {"Label5", "Шаг времени:", "Edit5", "0,001", Parameter::Step},
    {"Label9", "Время t2:", "Edit9", "0,1", Parameter::T2},
    {"Label10", "Время t3:", "Edit10", "0,4", Parameter::T3},
    {"Label6", "Значение напряжения [B]:", "Edit6", "3", Parameter::Amplitude},
    {"Label7", "Значение R [Ом]:", "Edit7", "9000", Parameter::R},
    {"Label13", "Значение C [Ф]:", "Edit13", "5e-6", Parameter::C},
    {"Label12", "I L1(0):", "Edit11", "0", Parameter::U0},
};

const char* const kTabCycle[] = {"BitBtn1", "Edit1",  "Edit2",  "Edit5",  "Edit6", "Edit7",
                                 "Edit9",   "Edit10", "Edit13", "Edit11", "BitBtn2"};

QString FocusName() {
  QWidget* focus = QApplication::focusWidget();
  return focus ? focus->objectName() : QStringLiteral("<none>");
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void component_fields_carry_their_names() {
    WindowFixture window;
    TForm1& form = window.Form();
    const std::pair<QObject*, const char*> fields[] = {
        {form.BitBtn1, "BitBtn1"}, {form.GroupBox1, "GroupBox1"}, {form.Edit1, "Edit1"},
        {form.Edit2, "Edit2"},     {form.Edit5, "Edit5"},         {form.Edit6, "Edit6"},
        {form.Edit7, "Edit7"},     {form.Label1, "Label1"},       {form.Label2, "Label2"},
        {form.Label5, "Label5"},   {form.Label6, "Label6"},       {form.Label7, "Label7"},
        {form.Label9, "Label9"},   {form.Edit9, "Edit9"},         {form.Label10, "Label10"},
        {form.Edit10, "Edit10"},   {form.GroupBox2, "GroupBox2"}, {form.Edit11, "Edit11"},
        {form.Label12, "Label12"}, {form.BitBtn2, "BitBtn2"},     {form.Label13, "Label13"},
        {form.Edit13, "Edit13"},   {form.GroupBox3, "GroupBox3"}, {form.Chart1, "Chart1"},
    };
    for (const auto& [field, name] : fields) QCOMPARE(field->objectName(), QString::fromLatin1(name));
    QCOMPARE(form.Series1, &form.Chart1->FastLineSeries(0));
    QCOMPARE(form.Series2, &form.Chart1->FastLineSeries(1));
  }

  void window_settings() {
    WindowFixture window;
    TForm1& form = window.Form();
    QCOMPARE(form.windowTitle(),
             QString::fromUtf8("Летняя практика. Вариант № 12. Метод Адамса-Маултона 3-го порядка."));
    QCOMPARE(form.Scale(), 1.0);
    QCOMPARE(form.size(), QSize(665, 485));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    const Qt::WindowFlags flags = form.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!form.windowIcon().isNull());
    QVERIFY(form.windowIcon().availableSizes().contains(QSize(32, 32)));
    // Nothing may be appended to the captions: Qt does so only when a display name is set.
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    QCOMPARE(form.windowHandle()->title(), form.windowTitle());
  }

  void window_is_centred_on_the_desktop() {
    WindowFixture window;
    const QRect desktop = window.Form().screen()->virtualGeometry();
    const QPoint centre = window.Form().frameGeometry().center();
    QVERIFY2((centre - desktop.center()).manhattanLength() <= 40,
             qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
  }

  void colours_grey_window_and_button_face_buttons() {
    WindowFixture window;
    TForm1& form = window.Form();
    const QColor grey = form.palette().color(QPalette::Window);
    QCOMPARE(grey, QColor(180, 180, 180));
    QCOMPARE(form.GroupBox1->palette().color(QPalette::Window), grey);
    QCOMPARE(form.Label1->palette().color(QPalette::Window), grey);
    QVERIFY(form.BitBtn1->palette().color(QPalette::Button) != grey);
  }

  void geometry_at_the_design_scale() {
    WindowFixture window;
    TForm1& form = window.Form();
    for (const DesignGeometry& design : kDesignGeometry) {
      auto* widget = form.findChild<QWidget*>(QString::fromLatin1(design.name));
      QVERIFY2(widget, design.name);
      QCOMPARE(widget->parentWidget()->objectName(), QString::fromLatin1(design.parent));
      QRect expected = design.geometry;
      if (expected.width() < 0) expected.setWidth(widget->width());
      QVERIFY2(widget->geometry() == expected, design.name);
    }
  }

  void captions_and_default_texts() {
    WindowFixture window;
    TForm1& form = window.Form();
    for (const Row& row : kRows) {
      QCOMPARE(form.findChild<QLabel*>(row.label)->text(), QString::fromUtf8(row.caption));
      QCOMPARE(form.findChild<QLineEdit*>(row.edit)->text(), QString::fromUtf8(row.defaultText));
      // The run reads each parameter from its own field.
      QCOMPARE(form.EditOf(row.parameter), form.findChild<QLineEdit*>(row.edit));
      QCOMPARE(QString::fromStdString(form.Text(row.parameter)), QString::fromUtf8(row.defaultText));
    }
    QCOMPARE(form.GroupBox1->title(), QString::fromUtf8("Исходные данные системы"));
    QCOMPARE(form.GroupBox2->title(), QString::fromUtf8("Начальные условия"));
    QCOMPARE(form.GroupBox3->title(), QString::fromUtf8("Результаты"));
    QCOMPARE(form.BitBtn1->text(), QStringLiteral("OK"));
    QCOMPARE(form.BitBtn2->text(), QString::fromUtf8("Закрыть"));
    // The letter in "[B]" is the Latin capital B, not the Cyrillic Ve.
    QVERIFY(form.Label6->text().contains(QStringLiteral("[B]")));
    QVERIFY(!form.Label6->text().contains(QChar(0x0412)));
  }

  void no_label_text_reaches_its_field() {
    WindowFixture window;
    TForm1& form = window.Form();
    for (const Row& row : kRows) {
      const QLabel* label = form.findChild<QLabel*>(row.label);
      const QLineEdit* edit = form.findChild<QLineEdit*>(row.edit);
      const int textRight = label->x() + QFontMetrics(label->font()).horizontalAdvance(label->text());
      QVERIFY2(textRight < edit->x(), row.label);
      QVERIFY2(label->x() + label->width() < edit->x(), row.label);
    }
  }

  void edit_fields_take_any_text_of_any_length() {
    WindowFixture window;
    const QString longText(5000, QLatin1Char('x'));
    window.Form().Edit5->setText(longText);
    QCOMPARE(window.Form().Edit5->text(), longText);
    QCOMPARE(QString::fromStdString(window.Form().Text(Parameter::Step)), longText);
  }

  void glyphs_are_18_pixels_with_a_greyed_disabled_picture() {
    WindowFixture window;
    for (QPushButton* button : {window.Form().BitBtn1, window.Form().BitBtn2}) {
      QCOMPARE(button->iconSize(), QSize(kGlyphSize, kGlyphSize));
      const QImage normal = button->icon().pixmap(QSize(18, 18), QIcon::Normal).toImage();
      const QImage disabled = button->icon().pixmap(QSize(18, 18), QIcon::Disabled).toImage();
      QCOMPARE(normal.size(), QSize(18, 18));
      QVERIFY(normal != disabled);
      for (int y = 0; y < disabled.height(); ++y)
        for (int x = 0; x < disabled.width(); ++x) {
          const QRgb pixel = disabled.pixel(x, y);
          if (qAlpha(pixel) != 0) QVERIFY(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel));
        }
    }
  }

  void first_focus_is_on_ok_and_tab_runs_the_cycle() {
    WindowFixture window;
    QVERIFY(window.Ready());
    QCOMPARE(FocusName(), QStringLiteral("BitBtn1"));
    for (std::size_t i = 1; i <= std::size(kTabCycle); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(FocusName(), QString::fromLatin1(kTabCycle[i % std::size(kTabCycle)]));
    }
    for (std::size_t i = std::size(kTabCycle); i-- > 0;) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
      QCOMPARE(FocusName(), QString::fromLatin1(kTabCycle[i]));
    }
  }

  void tab_into_a_field_selects_its_text() {
    WindowFixture window;
    QVERIFY(window.Ready());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(FocusName(), QStringLiteral("Edit2"));
    QCOMPARE(window.Form().Edit2->selectedText(), QStringLiteral("0,5"));
  }

  void ok_shows_the_default_frame_unless_close_has_the_focus() {
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    QVERIFY(form.BitBtn1->isDefault());
    form.Edit7->setFocus(Qt::TabFocusReason);
    QVERIFY(form.BitBtn1->isDefault());
    form.BitBtn2->setFocus(Qt::TabFocusReason);
    QVERIFY(!form.BitBtn1->isDefault());
    form.BitBtn1->setFocus(Qt::TabFocusReason);
    QVERIFY(form.BitBtn1->isDefault());
  }

  // Destroying the active window moves the focus while the window is half destroyed; the
  // default frame's handler then must touch nothing of the window (the sanitized build sees
  // any such access).
  void destroying_the_active_window_moves_the_focus_quietly() {
    for (const char* focused : {"BitBtn1", "BitBtn2", "Edit5"}) {
      auto form = std::make_unique<TForm1>();
      form->show();
      form->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(form.get()));
      form->findChild<QWidget*>(QString::fromLatin1(focused))->setFocus(Qt::TabFocusReason);
      QCOMPARE(FocusName(), QString::fromLatin1(focused));
      form.reset();
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(nullptr));
    }
  }

  void plain_enter_in_each_field_starts_a_run_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("key");
    for (const char* name : kTabCycle) {
      if (QByteArray(name) == "BitBtn2") continue;
      QTest::newRow(QByteArray(name).append(" Return").constData()) << name << int(Qt::Key_Return);
      QTest::newRow(QByteArray(name).append(" keypad Enter").constData()) << name << int(Qt::Key_Enter);
    }
  }
  void plain_enter_in_each_field_starts_a_run() {
    QFETCH(QString, field);
    QFETCH(int, key);
    WindowFixture window;
    QVERIFY(window.Ready());
    QWidget* target = window.Form().findChild<QWidget*>(field);
    target->setFocus(Qt::TabFocusReason);
    ModalBoxWatcher boxes;
    const Qt::KeyboardModifiers modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyClick(target, Qt::Key(key), modifiers);
    QCOMPARE(boxes.Seen().size(), 1);
    QCOMPARE(boxes.Seen().first().kind, QStringLiteral("ResultBox"));
    QCOMPARE(window.Form().Series1->Count(), 501);
    QVERIFY(window.Form().isVisible());
  }

  void enter_with_shift_ctrl_or_alt_does_nothing_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("modifier");
    for (const char* name : {"Edit1", "Edit13", "BitBtn1", "BitBtn2"}) {
      QTest::newRow(QByteArray(name).append(" Ctrl").constData()) << name << int(Qt::ControlModifier);
      QTest::newRow(QByteArray(name).append(" Shift").constData()) << name << int(Qt::ShiftModifier);
      QTest::newRow(QByteArray(name).append(" Alt").constData()) << name << int(Qt::AltModifier);
    }
  }
  void enter_with_shift_ctrl_or_alt_does_nothing() {
    QFETCH(QString, field);
    QFETCH(int, modifier);
    WindowFixture window;
    QVERIFY(window.Ready());
    QWidget* target = window.Form().findChild<QWidget*>(field);
    target->setFocus(Qt::TabFocusReason);
    ModalBoxWatcher boxes;
    QTest::keyClick(target, Qt::Key_Return, Qt::KeyboardModifiers(modifier));
    QTest::qWait(60);
    QCOMPARE(boxes.Seen().size(), 0);
    QCOMPARE(window.Form().Series1->Count(), 0);
    QVERIFY(window.Form().isVisible());
    QVERIFY(!QFileInfo::exists(window.FilePath("REZ.TXT")));
  }

  void escape_does_nothing() {
    WindowFixture window;
    QVERIFY(window.Ready());
    ModalBoxWatcher boxes;
    for (QWidget* target : {static_cast<QWidget*>(window.Form().BitBtn1), static_cast<QWidget*>(window.Form().Edit6),
                            static_cast<QWidget*>(window.Form().BitBtn2)}) {
      target->setFocus(Qt::TabFocusReason);
      QTest::keyClick(target, Qt::Key_Escape);
    }
    QTest::qWait(60);
    QCOMPARE(boxes.Seen().size(), 0);
    QVERIFY(window.Form().isVisible());
    QCOMPARE(window.Form().Series1->Count(), 0);
  }

  void space_clicks_the_focused_button() {
    WindowFixture window;
    QVERIFY(window.Ready());
    ModalBoxWatcher boxes;
    QTest::keyClick(window.Form().BitBtn1, Qt::Key_Space);
    QCOMPARE(boxes.Seen().size(), 1);
    window.Form().BitBtn2->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window.Form().BitBtn2, Qt::Key_Space);
    QVERIFY(!window.Form().isVisible());
  }

  void enter_on_close_closes_the_window() {
    WindowFixture window;
    QVERIFY(window.Ready());
    ModalBoxWatcher boxes;
    window.Form().BitBtn2->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window.Form().BitBtn2, Qt::Key_Return);
    QVERIFY(!window.Form().isVisible());
    QCOMPARE(boxes.Seen().size(), 0);
    QVERIFY(window.Form().testAttribute(Qt::WA_QuitOnClose));
  }

  void ok_never_closes_the_window() {
    WindowFixture window;
    QVERIFY(window.Ready());
    ModalBoxWatcher boxes;
    for (int i = 0; i < 3; ++i) window.Form().BitBtn1->click();
    QCOMPARE(boxes.Seen().size(), 3);
    QVERIFY(window.Form().isVisible());
  }
};

RCPULSE_UI_TEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
