// Runs from the window: the default run fills both series and ends in the result box with the
// chart already redrawn behind it; every failure of the worked examples shows the error box
// with its text and leaves the chart and REZ.TXT as described; the next good run succeeds;
// a zoom survives runs until the undo drag; a chart that runs out of memory ends the run
// like any other error.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <new>

#include "WindowFixture.h"
#include "model/Errors.h"
#include "output/ChartOutput.h"
#include "output/ResultsFileOutput.h"
#include "run/CalculationRun.h"
#include "ui/HandleEvent.h"
#include "ui/MessageBoxes.h"

namespace {

QByteArray ResultsFileBytes(const WindowFixture& window) {
  QFile file(window.FilePath("REZ.TXT"));
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll();
}

qsizetype LineCount(const QByteArray& bytes) { return bytes.count("\r\n"); }

SeenBox OnlyBox(const ModalBoxWatcher& boxes) {
  if (boxes.Seen().size() != 1) {
    SeenBox none;
    none.kind = QStringLiteral("<%1 boxes>").arg(boxes.Seen().size());
    return none;
  }
  return boxes.Seen().first();
}

// Rows of the worked example (row number from 1, t, u), to five decimals.
struct ExampleRow {
  int row;
  double t, u;
};
const ExampleRow kExampleRows[] = {{2, 0.001, 0.00033}, {101, 0.1, 1.79630}, {451, 0.45, 2.40510}, {501, 0.5, 1.20354}};

double Round5(double x) { return std::round(x * 1e5) / 1e5; }

// A series that cannot get memory for the point of one row (counted from 0; -1 never).
struct ExhaustedSeries : ChartSeries {
  explicit ExhaustedSeries(int failing) : failingRow(failing) {}
  void ClearPoints() override { points = 0; }
  int InsertPoint(double, double) override {
    if (points == failingRow) throw std::bad_alloc();
    return points++;
  }
  int failingRow;
  int points = 0;
};

// A chart whose series 0 runs out of memory at one row.
struct ExhaustedChart : ResultsChart {
  explicit ExhaustedChart(int failingRow) : solution(failingRow) {}
  ChartSeries& Series(int position) override { return position == 0 ? solution : source; }
  ExhaustedSeries solution;
  ExhaustedSeries source{-1};
};

// True when a writer can take REZ.TXT for itself, so no run holds it open any more.
bool AnotherWriterCanLock(const WindowFixture& window) {
  const int other = ::open(window.FilePath("REZ.TXT").toLocal8Bit().constData(), O_WRONLY);
  if (other < 0) return false;
  const bool locked = ::flock(other, LOCK_EX | LOCK_NB) == 0;
  ::close(other);
  return locked;
}

}  // namespace

class WindowRunTest : public QObject {
  Q_OBJECT

 private slots:
  void default_run_fills_both_series_and_shows_the_result_box() {
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    AxisRange bottomWhileOpen, leftWhileOpen;
    ModalBoxWatcher boxes([&](QWidget*) {
      QTest::qWait(50);
      bottomWhileOpen = form.Chart1->BottomRange();
      leftWhileOpen = form.Chart1->LeftRange();
    });
    form.BitBtn1->click();
    const SeenBox box = OnlyBox(boxes);
    QCOMPARE(box.kind, QStringLiteral("ResultBox"));
    QCOMPARE(box.caption, QCoreApplication::applicationName());
    QCOMPARE(box.buttons, QStringList{QStringLiteral("OK")});
    // The worked example's global error, about 0.0267126, in the general format with a comma.
    const QString prefix = QString::fromUtf8("Глобальная погрешность = ");
    QVERIFY2(box.text.startsWith(prefix + QStringLiteral("0,02671")), qPrintable(box.text));
    const double shown = box.text.mid(prefix.size()).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    QVERIFY2(std::fabs(shown - 0.0267126) < 5e-8, qPrintable(box.text));
    QVERIFY(!box.text.endsWith(QLatin1Char('.')));

    QCOMPARE(form.Series1->Count(), 501);
    QCOMPARE(form.Series2->Count(), 501);
    for (const ExampleRow& row : kExampleRows) {
      QCOMPARE(Round5(form.Series1->Point(row.row - 1).x()), row.t);
      QCOMPARE(Round5(form.Series1->Point(row.row - 1).y()), row.u);
    }
    // Redrawn behind the open box: the left axis runs from 0 to 3, the bottom one to about 0.5.
    QCOMPARE(leftWhileOpen.lower, 0.0);
    QCOMPARE(leftWhileOpen.upper, 3.0);
    QCOMPARE(bottomWhileOpen.lower, 0.0);
    QVERIFY(std::fabs(bottomWhileOpen.upper - 0.5) < 1e-6);
    QCOMPARE(LineCount(ResultsFileBytes(window)), 2 + 501);
  }

  // Under a point locale the window shows its defaults with points and runs them: the same
  // REZ.TXT as under a comma locale, the result with a point.
  void defaults_run_under_a_point_locale() {
    QByteArray commaFile;
    {
      WindowFixture window(',');
      ModalBoxWatcher boxes;
      window.Form().BitBtn1->click();
      commaFile = ResultsFileBytes(window);
    }
    WindowFixture window('.');
    TForm1& form = window.Form();
    QCOMPARE(form.Edit2->text(), QStringLiteral("0.5"));
    QCOMPARE(form.Edit5->text(), QStringLiteral("0.001"));
    QCOMPARE(form.Edit13->text(), QStringLiteral("5e-6"));
    ModalBoxWatcher boxes;
    form.BitBtn1->click();
    const SeenBox box = OnlyBox(boxes);
    QCOMPARE(box.kind, QStringLiteral("ResultBox"));
    QCOMPARE(box.text, QString::fromUtf8("Глобальная погрешность = 0.0267125657585205"));
    QCOMPARE(commaFile.size(), 15054);
    QCOMPARE(ResultsFileBytes(window), commaFile);
  }

  void failed_runs_show_the_error_box_and_leave_chart_and_file_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("pointsLeft");  // -1: some, fewer than a full run
    QTest::newRow("abc in Edit5") << "Edit5" << "abc" << "'abc' is not a valid floating point value." << 0;
    QTest::newRow("empty Edit2") << "Edit2" << "" << "'' is not a valid floating point value." << 0;
    QTest::newRow("1e400 in Edit7") << "Edit7" << "1e400" << "Floating point overflow." << 0;
    QTest::newRow("0 in Edit7") << "Edit7" << "0" << "Floating point division by zero." << 1;
    QTest::newRow("5e-9 in Edit13") << "Edit13" << "5e-9" << "Floating point overflow." << -1;
  }
  void failed_runs_show_the_error_box_and_leave_chart_and_file() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, pointsLeft);
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    {
      // A full run first, so that the failed run's clearing shows.
      ModalBoxWatcher boxes;
      form.BitBtn1->click();
      QCOMPARE(form.Series1->Count(), 501);
    }
    form.findChild<QLineEdit*>(field)->setText(text);
    SeenBox box;
    {
      ModalBoxWatcher boxes;
      form.BitBtn1->click();
      box = OnlyBox(boxes);
    }
    QCOMPARE(box.kind, QStringLiteral("QMessageBox"));
    QCOMPARE(box.text, message);
    QCOMPARE(box.caption, QCoreApplication::applicationName());
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.buttons, QStringList{QStringLiteral("OK")});

    const int points = form.Series1->Count();
    QCOMPARE(form.Series2->Count(), points);
    const QByteArray file = ResultsFileBytes(window);
    if (pointsLeft == 0) {
      QCOMPARE(points, 0);
      QCOMPARE(file, QByteArray());
    } else if (pointsLeft == 1) {
      QCOMPARE(points, 1);
      QCOMPARE(form.Series1->Point(0), QPointF(0, 0));
      QCOMPARE(LineCount(file), 3);  // header, empty line, first row
    } else {
      QVERIFY(points > 1 && points < 501);
      QCOMPARE(LineCount(file), 2 + points);
    }
    QVERIFY(form.isVisible());
    QCOMPARE(form.findChild<QLineEdit*>(field)->text(), text);

    // Corrected, the next run completes and rewrites the file.
    form.findChild<QLineEdit*>(field)->setText(
        QString::fromUtf8(field == "Edit5" ? "0,001" : field == "Edit2" ? "0,5" : field == "Edit7" ? "9000" : "5e-6"));
    ModalBoxWatcher next;
    form.BitBtn1->click();
    QCOMPARE(OnlyBox(next).kind, QStringLiteral("ResultBox"));
    QCOMPARE(form.Series1->Count(), 501);
    QCOMPARE(LineCount(ResultsFileBytes(window)), 2 + 501);
  }

  void focus_returns_to_the_field_after_the_error_box() {
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    form.Edit5->setText(QStringLiteral("abc"));
    form.Edit5->setFocus(Qt::TabFocusReason);
    ModalBoxWatcher boxes;
    QTest::keyClick(form.Edit5, Qt::Key_Return);
    QCOMPARE(OnlyBox(boxes).kind, QStringLiteral("QMessageBox"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form.Edit5));
    QVERIFY(form.isEnabled());
  }

  void zoom_survives_runs_until_the_undo_drag() {
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    {
      ModalBoxWatcher boxes;
      form.BitBtn1->click();
    }
    form.Chart1->ReplotNow();
    QWidget* plot = form.Chart1->PlotArea();
    const QPoint from = form.Chart1->PixelAt(0.1, 2.5);
    const QPoint to = form.Chart1->PixelAt(0.3, 1.5);
    QTest::mousePress(plot, Qt::LeftButton, {}, from);
    QTest::mouseMove(plot, to);
    QTest::mouseRelease(plot, Qt::LeftButton, {}, to);
    form.Chart1->ReplotNow();
    const AxisRange zoomedX = form.Chart1->BottomRange();
    const AxisRange zoomedY = form.Chart1->LeftRange();
    QVERIFY(zoomedX.upper - zoomedX.lower < 0.25);

    {
      ModalBoxWatcher boxes;
      form.BitBtn1->click();
    }
    form.Chart1->ReplotNow();
    QCOMPARE(form.Chart1->BottomRange().lower, zoomedX.lower);
    QCOMPARE(form.Chart1->BottomRange().upper, zoomedX.upper);
    QCOMPARE(form.Chart1->LeftRange().lower, zoomedY.lower);
    QCOMPARE(form.Chart1->LeftRange().upper, zoomedY.upper);

    QTest::mousePress(plot, Qt::LeftButton, {}, to);
    QTest::mouseMove(plot, from);
    QTest::mouseRelease(plot, Qt::LeftButton, {}, from);
    form.Chart1->ReplotNow();
    QCOMPARE(form.Chart1->LeftRange().lower, 0.0);
    QCOMPARE(form.Chart1->LeftRange().upper, 3.0);
    QCOMPARE(form.Chart1->BottomRange().lower, 0.0);
  }

  // The OK button's run of 5002 rows with a chart that cannot get memory at row 3000: the
  // error box says so; REZ.TXT is already closed while it is open, holding whole rows at least
  // up to that row (the file hears a row before the chart), a prefix of the complete file; the
  // next run succeeds.
  void out_of_memory_in_the_chart_ends_the_run_with_the_error_box() {
    constexpr int kFailingRow = 3000;
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    form.Edit5->setText(QStringLiteral("0,0001"));
    {
      ModalBoxWatcher boxes;
      form.BitBtn1->click();
    }
    const QByteArray complete = ResultsFileBytes(window);
    QCOMPARE(LineCount(complete), 2 + 5002);

    ExhaustedChart chart(kFailingRow);
    SeenBox box;
    bool lockableWhileOpen = false;
    QByteArray file;
    {
      ModalBoxWatcher boxes([&](QWidget*) {
        lockableWhileOpen = AnotherWriterCanLock(window);
        file = ResultsFileBytes(window);
      });
      HandleEvent([&] {
        TypedParameters parameters(form);
        ResultsFileOutput resultsFile(".");
        ChartOutput chartOutput(chart);
        ResultBoxOutput resultBox;
        CalculationRun(parameters, {&resultsFile, &chartOutput, &resultBox});
      });
      box = OnlyBox(boxes);
    }
    QCOMPARE(box.kind, QStringLiteral("QMessageBox"));
    QCOMPARE(box.text, QStringLiteral("Out of memory."));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.caption, QCoreApplication::applicationName());
    QCOMPARE(chart.solution.points, kFailingRow);

    QVERIFY(lockableWhileOpen);
    QVERIFY(complete.startsWith(file));
    QVERIFY(file.endsWith("\r\n"));
    QVERIFY2(LineCount(file) >= 2 + kFailingRow + 1, qPrintable(QString::number(LineCount(file))));

    ModalBoxWatcher next;
    form.BitBtn1->click();
    QCOMPARE(OnlyBox(next).kind, QStringLiteral("ResultBox"));
    QCOMPARE(ResultsFileBytes(window), complete);
  }

  void errors_escaping_a_handler_are_shown_and_the_program_goes_on_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("program error") << 0 << "I/O error 32.";
    QTest::newRow("message ending in a period keeps one") << 1 << "Done.";
    QTest::newRow("memory exhausted") << 2 << "Out of memory.";
    QTest::newRow("unknown") << 3 << "Unknown error.";
  }
  void errors_escaping_a_handler_are_shown_and_the_program_goes_on() {
    QFETCH(int, kind);
    QFETCH(QString, message);
    ModalBoxWatcher boxes;
    HandleEvent([kind] {
      switch (kind) {
        case 0: throw EInOutError(32);
        case 1: throw Exception("Done.");
        case 2: throw std::bad_alloc();
        default: throw 42;
      }
    });
    QCOMPARE(OnlyBox(boxes).text, message);
    QCOMPARE(OnlyBox(boxes).icon, QMessageBox::Critical);
  }
};

RCPULSE_UI_TEST_MAIN(WindowRunTest)
#include "WindowRunTest.moc"
