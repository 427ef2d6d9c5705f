// The window beyond the exercise: a long run's progress dialog (modal, cancelled by its button,
// Esc or closing, leaving a prefix of REZ.TXT, the rows so far on the chart and the information
// box, with no drawing of the chart while it is up), the progress observer on its own, F1's
// help and the fields' tooltips.
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBrowser>
#include <memory>
#include <vector>

#include "WindowFixture.h"
#include "model/Errors.h"
#include "output/ResultsFileOutput.h"
#include "run/CalculationRun.h"
#include "tests/support/DefaultParameters.h"
#include "tests/support/FileContents.h"
#include "ui/RunProgress.h"
#include "ui/RunProgressDialog.h"

namespace {

// 5,000,002 rows; the dialog is told to show at once, so that no machine is too fast for it.
const char* const kLongStep = "0,0000001";

QByteArray ResultsFileBytes(const WindowFixture& window) {
  QFile file(window.FilePath("REZ.TXT"));
  if (!file.open(QIODevice::ReadOnly)) return "<missing>";
  return file.readAll();
}

struct DefaultSource : ParameterSource {
  CalcParams params = DefaultCalcParams();
  CalcParams ReadCalcParams() override { return params; }
};

// Stops a run after a number of rows, with an error of its own.
struct StopAfterRows : RunObserver {
  explicit StopAfterRows(std::size_t rows) : left(rows) {}
  void RowsEmitted(std::span<const ResultRow> rows) override {
    if (rows.size() >= left) throw Exception("enough");
    left -= rows.size();
  }
  std::size_t left;
};

// The long run written headless up to a number of rows: the reference a cancelled window
// run's REZ.TXT must be a prefix of, and its rows.
struct LongRunStart : RunObserver {
  explicit LongRunStart(std::size_t rows) {
    const TemporaryDirectory folder;
    DefaultSource parameters;
    parameters.params.Step = 1e-7;
    ResultsFileOutput file(folder.Path());
    StopAfterRows stop(rows);
    try {
      CalculationRun(parameters, {&file, this, &stop});
    } catch (const Exception&) {
    }
    fileBytes = ReadWholeFile(folder / "REZ.TXT");
  }
  void RowsEmitted(std::span<const ResultRow> emitted) override { rows.insert(rows.end(), emitted.begin(), emitted.end()); }
  std::string fileBytes;
  std::vector<ResultRow> rows;
};

}  // namespace

class WindowStudyTest : public QObject {
  Q_OBJECT

 private slots:
  void a_short_run_shows_no_progress() {
    WindowFixture window;
    QVERIFY(window.Ready());
    ModalBoxWatcher boxes;
    window.Form().BitBtn1->click();
    QCOMPARE(boxes.Seen().size(), 1);
    QCOMPARE(boxes.Seen().first().kind, QStringLiteral("ResultBox"));
  }

  void cancel_leaves_a_prefix_the_rows_so_far_and_the_information_box_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Отмена") << "button";
    QTest::newRow("Esc") << "escape";
    QTest::newRow("closing the dialog") << "close";
  }
  void cancel_leaves_a_prefix_the_rows_so_far_and_the_information_box() {
    QFETCH(QString, how);
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    form.Edit5->setText(QString::fromUtf8(kLongStep));
    form.SetProgressTiming(RunProgress::Timing{0, 50});
    QSignalSpy replots(form.Chart1, &TChart::Replotted);
    int drawnWhileUp = -1;
    bool modal = false;
    QString progressText;
    // Gone before the next run, so that it does not take that run's box.
    auto boxes = std::make_unique<ModalBoxWatcher>([&](QWidget* box) {
      auto* progress = qobject_cast<RunProgressDialog*>(box);
      if (!progress) return;
      modal = progress->windowModality() == Qt::ApplicationModal && QApplication::activeModalWidget() == progress;
      progressText = progress->Text();
      // The events the dialog lets through draw nothing of the partial run, and a click on
      // the window's Close button does not reach it.
      drawnWhileUp = replots.count();
      // (Sent through the window system, where modality is decided.)
      QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, form.BitBtn2->geometry().center());
      if (how == "button") {
        progress->CancelButton()->click();
      } else if (how == "escape") {
        QTest::keyClick(progress, Qt::Key_Escape);
      }  // "close": the watcher closes the dialog
    });
    form.BitBtn1->click();
    const QList<SeenBox> seen = boxes->Seen();
    boxes.reset();

    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[0].kind, QStringLiteral("RunProgressDialog"));
    QCOMPARE(seen[0].buttons, QStringList{QString::fromUtf8("Отмена")});
    QVERIFY2(progressText.startsWith(QString::fromUtf8("Расчёт: ")), qPrintable(progressText));
    QVERIFY(modal);
    QCOMPARE(drawnWhileUp, 0);
    QVERIFY(form.isVisible());
    const SeenBox information = seen[1];
    QCOMPARE(information.kind, QStringLiteral("QMessageBox"));
    QCOMPARE(information.text, QString::fromUtf8("Расчёт прерван."));
    QCOMPARE(information.icon, QMessageBox::Information);
    QCOMPARE(information.caption, QCoreApplication::applicationName());
    QCOMPARE(information.buttons, QStringList{QStringLiteral("OK")});
    QCOMPARE(replots.count(), 1);  // once, behind the information box

    // REZ.TXT: the header and whole rows, the start of the complete run's file.
    const QByteArray file = ResultsFileBytes(window);
    QVERIFY(file.endsWith("\r\n"));
    const qsizetype rows = file.count("\r\n") - 2;
    QVERIFY2(rows >= 2 && rows < 5'000'002, qPrintable(QString::number(rows)));
    const LongRunStart reference(static_cast<std::size_t>(rows) + 100);
    QVERIFY(reference.fileBytes.size() > static_cast<std::size_t>(file.size()));
    QCOMPARE(file, QByteArray::fromStdString(reference.fileBytes.substr(0, static_cast<std::size_t>(file.size()))));
    // The chart keeps the rows the file has.
    const int points = form.Series1->Count();
    QCOMPARE(points, rows);
    QCOMPARE(form.Series2->Count(), points);
    for (int i : {0, points / 2, points - 1}) {
      const ResultRow& row = reference.rows[static_cast<std::size_t>(i)];
      QCOMPARE(form.Series1->Point(i), QPointF(row.t, row.u));
      QCOMPARE(form.Series2->Point(i), QPointF(row.t, row.E));
    }
    QVERIFY(!form.Chart1->RunInProgress());

    // The window goes on: the next run completes.
    form.Edit5->setText(QStringLiteral("0,001"));
    ModalBoxWatcher next;
    form.BitBtn1->click();
    QCOMPARE(next.Seen().size(), 1);
    QCOMPARE(next.Seen().first().kind, QStringLiteral("ResultBox"));
    QCOMPARE(form.Series1->Count(), 501);
  }

  // The observer on its own, shown at once: it appears, its bar only grows, it refreshes at
  // most every 50 ms of the run's time, and it is gone when the run ends.
  void progress_is_refreshed_at_most_twenty_times_a_second() {
    QWidget window;
    window.show();
    RunProgress progress(&window, RunProgress::Timing{0, 50});
    DefaultSource parameters;
    parameters.params.Step = 5e-7;  // 1,000,002 rows
    int lastPercent = -1;
    bool grows = true;
    bool shown = false;
    struct Watch : RunObserver {
      std::function<void()> onRows;
      void RowsEmitted(std::span<const ResultRow>) override { onRows(); }
    } watch;
    watch.onRows = [&] {
      if (RunProgressDialog* dialog = progress.Dialog()) {
        shown = shown || dialog->isVisible();
        grows = grows && dialog->Percent() >= lastPercent;
        lastPercent = dialog->Percent();
      }
    };
    QElapsedTimer clock;
    clock.start();
    CalculationRun(parameters, {&progress, &watch});
    const qint64 elapsed = clock.elapsed();
    QVERIFY(shown);
    QVERIFY(grows);
    QVERIFY(progress.Refreshes() >= 1);
    QVERIFY2(progress.Refreshes() <= elapsed / 50 + 1,
             qPrintable(QStringLiteral("%1 refreshes in %2 ms").arg(progress.Refreshes()).arg(elapsed)));
    QCOMPARE(progress.Dialog(), nullptr);
  }

  void cancelling_raises_the_cancellation_and_abandons_the_run() {
    QWidget window;
    window.show();
    RunProgress progress(&window, RunProgress::Timing{0, 50});
    DefaultSource parameters;
    parameters.params.Step = 5e-7;
    struct Abandoned : RunObserver {
      int abandoned = 0, finished = 0;
      void RunFinished(double) override { ++finished; }
      void RunAbandoned() noexcept override { ++abandoned; }
    } outcome;
    QTimer::singleShot(0, [&] {
      if (progress.Dialog()) progress.Dialog()->CancelButton()->click();
    });
    QVERIFY_THROWS_EXCEPTION(ERunCancelled, CalculationRun(parameters, {&progress, &outcome}));
    QCOMPARE(outcome.abandoned, 1);
    QCOMPARE(outcome.finished, 0);
    QCOMPARE(progress.Dialog(), nullptr);
    QCOMPARE(ERunCancelled().Message(), std::string("Расчёт прерван."));
  }

  void f1_opens_the_help() {
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    QString text;
    ModalBoxWatcher boxes([&](QWidget* box) {
      if (auto* browser = box->findChild<QTextBrowser*>()) text = browser->toPlainText();
    });
    form.Edit5->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form.Edit5));
    QTest::keyClick(form.Edit5, Qt::Key_F1);
    QCOMPARE(boxes.Seen().size(), 1);
    QVERIFY(boxes.Seen().first().caption.contains(QCoreApplication::applicationName()));
    for (const ParameterInfo& info : kParameterTable)
      QVERIFY2(text.contains(QString::fromUtf8(info.meaning.data(), qsizetype(info.meaning.size()))),
               info.meaning.data());
    for (const char* words : {"Время начала сигнала t1:", "I L1(0):", "REZ.TXT", "Глобальная погрешность",
                              "наибольшее изменение решения между соседними строками", "Погрешность",
                              "Точное решение", "rcpulse-cli --exact", "Адамса–Маултона", "Рунге–Кутты",
                              "Версия 1.0"})
      QVERIFY2(text.contains(QString::fromUtf8(words), Qt::CaseInsensitive), words);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form.Edit5));
  }

  void each_field_has_its_meaning_and_unit_as_tooltip_data() {
    QTest::addColumn<int>("parameter");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("t1") << int(Parameter::T1) << "Время начала сигнала t1, первая точка расчёта (с)";
    QTest::newRow("t4") << int(Parameter::T4) << "Время окончания сигнала t4, конец расчёта (с)";
    QTest::newRow("step") << int(Parameter::Step) << "Шаг времени (с)";
    QTest::newRow("t2") << int(Parameter::T2) << "Время t2: конец нарастания, начало плато (с)";
    QTest::newRow("t3") << int(Parameter::T3) << "Время t3: конец плато, начало спада (с)";
    QTest::newRow("voltage") << int(Parameter::Amplitude) << "Напряжение плато импульса (В)";
    QTest::newRow("R") << int(Parameter::R) << "Сопротивление R (Ом)";
    QTest::newRow("C") << int(Parameter::C) << "Ёмкость C (Ф)";
    QTest::newRow("u0") << int(Parameter::U0) << "Начальное напряжение на ёмкости u(t1) (В)";
  }
  void each_field_has_its_meaning_and_unit_as_tooltip() {
    QFETCH(int, parameter);
    QFETCH(QString, tooltip);
    WindowFixture window;
    QCOMPARE(window.Form().EditOf(Parameter(parameter))->toolTip(), tooltip);
  }
};

RCPULSE_UI_TEST_MAIN(WindowStudyTest)
#include "WindowStudyTest.moc"
