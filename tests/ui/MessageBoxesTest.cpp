// The result box on its own: caption, no icon, one OK that Enter, Esc and a click all close,
// its size following the text wrapped at half the screen's width, its place the screen's
// centre. And the locale's separator read again when the locale changes.
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <new>

#include "UiTestSupport.h"
#include "tests/support/DefaultParameters.h"
#include "numbertext/LocaleDecimalSeparator.h"
#include "tests/support/ScopedDecimalSeparator.h"
#include "ui/MessageBoxes.h"
#include "ui/ResultBox.h"
#include "ui/Unit1.h"

namespace {

// Runs the box modally and lets `close` end it once it is shown; true when it closed.
bool ClosesBy(const std::function<void(ResultBox&)>& close) {
  ResultBox box(QStringLiteral("rcpulse"), QStringLiteral("Глобальная погрешность = 1"));
  bool shown = false;
  QTimer::singleShot(50, &box, [&] {
    shown = box.isVisible();
    close(box);
  });
  // A watchdog, so that a box that ignores the key fails instead of hanging.
  QTimer::singleShot(3000, &box, [&] { box.done(-1); });
  const int result = box.exec();
  return shown && result != -1;
}

}  // namespace

class MessageBoxesTest : public QObject {
  Q_OBJECT

 private slots:
  void result_box_closes_on_enter_escape_and_a_click_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Enter") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("click on OK") << 2;
  }
  void result_box_closes_on_enter_escape_and_a_click() {
    QFETCH(int, how);
    QVERIFY(ClosesBy([how](ResultBox& box) {
      if (how == 0) QTest::keyClick(&box, Qt::Key_Return);
      if (how == 1) QTest::keyClick(&box, Qt::Key_Escape);
      if (how == 2) QTest::mouseClick(box.OkButton(), Qt::LeftButton);
    }));
  }

  void result_box_has_the_title_no_icon_and_one_ok() {
    ScopedDecimalSeparator comma(',');
    QWidget* seenBox = nullptr;
    QRect seenGeometry;
    ModalBoxWatcher boxes([&](QWidget* box) {
      seenBox = box;
      seenGeometry = box->frameGeometry();
    });
    ShowResultBox(0.0267125657585205);  // the default run's global error
    QCOMPARE(boxes.Seen().size(), 1);
    const SeenBox& box = boxes.Seen().first();
    QCOMPARE(box.kind, QStringLiteral("ResultBox"));
    QCOMPARE(box.caption, QCoreApplication::applicationName());
    QCOMPARE(box.text, QString::fromUtf8(kDefaultResultText.data(), kDefaultResultText.size()));
    QCOMPARE(box.buttons, QStringList{QStringLiteral("OK")});
    QVERIFY(seenBox);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY2((seenGeometry.center() - screen.center()).manhattanLength() <= 4,
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(seenGeometry.x()).arg(seenGeometry.y()).arg(seenGeometry.width()).arg(seenGeometry.height())));
  }

  void result_box_wraps_a_long_text_at_half_the_screen_width() {
    const QString longText = QString(QStringLiteral("слово ")).repeated(200);
    ResultBox box(QStringLiteral("rcpulse"), longText);
    box.adjustSize();
    const int half = QGuiApplication::primaryScreen()->geometry().width() / 2;
    const QLabel* label = box.findChild<QLabel*>();
    QVERIFY(label->width() <= half);
    QVERIFY(label->width() > half - 60);
    QVERIFY(label->height() > 3 * QFontMetrics(label->font()).height());
  }

  // The application object catches what escapes any event's handling, not only the OK
  // button's: the error box shows it and the next event is handled as usual.
  void an_error_escaping_any_event_is_shown_and_the_program_goes_on() {
    struct Throwing : QObject {
      int handled = 0;
      bool event(QEvent* e) override {
        if (e->type() != QEvent::User) return QObject::event(e);
        if (++handled == 1) throw std::bad_alloc();
        return true;
      }
    } target;
    ModalBoxWatcher boxes;
    QEvent user(QEvent::User);
    QApplication::sendEvent(&target, &user);
    QCOMPARE(boxes.Seen().size(), 1);
    QCOMPARE(boxes.Seen().first().text, QStringLiteral("Out of memory."));
    QCOMPARE(boxes.Seen().first().icon, QMessageBox::Critical);
    QVERIFY(QApplication::sendEvent(&target, &user));
    QCOMPARE(target.handled, 2);
  }

  void locale_change_reads_the_separator_again() {
    ScopedDecimalSeparator comma(',');
    TForm1 form;
    const char systemSeparator = QLocale::system().decimalPoint() == QStringLiteral(",") ? ',' : '.';
    SetLocaleDecimalSeparator(systemSeparator == ',' ? '.' : ',');
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(&form, &change);
    QCOMPARE(LocaleDecimalSeparator(), systemSeparator);
  }
};

RCPULSE_UI_TEST_MAIN(MessageBoxesTest)
#include "MessageBoxesTest.moc"
