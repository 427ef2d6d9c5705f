// The chart's menu in the window: how it opens (a right click without dragging, the menu key
// and Shift+F10 with the chart focused), the chart as before while every switch is off, the
// effect of each item (exact solution, true error, flat view, readable labels, saving the
// picture and the table, resetting the zoom), the switches kept for later runs, and the
// readout under the pointer.
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QSvgRenderer>

#include "WindowFixture.h"
#include "model/ExactVoltage.h"
#include "study/ExactErrorTracker.h"
#include "tests/support/DefaultParameters.h"
#include "tests/support/FileContents.h"
#include "ui/ChartMenu.h"
#include "ui/ExactCurves.h"
#include "ui/SaveFileDialog.h"

namespace {

void Run(TForm1& form) {
  ModalBoxWatcher boxes;
  form.BitBtn1->click();
  QCOMPARE(boxes.Seen().size(), 1);
  QCOMPARE(boxes.Seen().first().kind, QStringLiteral("ResultBox"));
}

void Switch(TForm1& form, const char* item, bool on) {
  QAction* action = form.Chart1Menu().Action(item);
  QVERIFY2(action && action->isCheckable(), item);
  action->setChecked(on);
}

void Drag(QWidget* plot, Qt::MouseButton button, QPoint from, QPoint to) {
  QTest::mousePress(plot, button, {}, from);
  QTest::mouseMove(plot, to);
  QTest::mouseRelease(plot, button, {}, to);
}

// Saves through the menu item, typing the name (and the size) into its dialog.
SeenBox SaveThroughMenu(TForm1& form, const char* item, const QString& path, QSize size = {}) {
  ModalBoxWatcher boxes([&](QWidget* box) {
    auto* dialog = qobject_cast<SaveFileDialog*>(box);
    if (!dialog) return;
    dialog->FileNameEdit()->setText(path);
    if (size.isValid()) {
      dialog->WidthBox()->setValue(size.width());
      dialog->HeightBox()->setValue(size.height());
    }
  });
  form.Chart1Menu().Action(item)->trigger();
  return boxes.Seen().value(0);
}

QString CliPath() { return QCoreApplication::applicationDirPath() + QStringLiteral("/rcpulse-cli"); }

QStringList Lines(const QString& text) { return text.split(QLatin1Char('\n')); }

double NumberAfter(const QString& line, const QString& prefix) {
  return line.mid(prefix.size()).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}

}  // namespace

class ChartMenuTest : public QObject {
  Q_OBJECT

 private slots:
  void right_click_without_dragging_opens_the_menu_a_right_drag_scrolls() {
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    Run(form);
    form.Chart1->ReplotNow();
    QMenu* menu = form.Chart1Menu().Menu();
    QWidget* plot = form.Chart1->PlotArea();
    const QPoint at = form.Chart1->PixelAt(0.25, 1.5);

    Drag(plot, Qt::RightButton, at, at + QPoint(1, 1));
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(!form.Chart1->RangesFixed());
    menu->hide();

    Drag(plot, Qt::RightButton, at, at + QPoint(-60, 0));
    QTest::qWait(50);
    QVERIFY(!menu->isVisible());
    QVERIFY(form.Chart1->RangesFixed());
  }

  void menu_key_and_shift_f10_open_the_menu_once_the_chart_has_the_focus_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier);
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
  }
  void menu_key_and_shift_f10_open_the_menu_once_the_chart_has_the_focus() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    QMenu* menu = form.Chart1Menu().Menu();
    QTest::mouseClick(form.Chart1->PlotArea(), Qt::LeftButton, {}, QPoint(100, 100));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form.Chart1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
    // Enter still runs from there, as from any field.
    ModalBoxWatcher boxes;
    QTest::keyClick(form.Chart1, Qt::Key_Return);
    QCOMPARE(boxes.Seen().size(), 1);
    QCOMPARE(boxes.Seen().first().kind, QStringLiteral("ResultBox"));
  }

  void every_switch_is_off_at_start_and_the_chart_is_as_before() {
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    for (const char* item : {"Точное решение", "Погрешность", "Плоский вид", "Подписи осей: авто"})
      QVERIFY2(!form.Chart1Menu().Action(item)->isChecked(), item);
    Run(form);
    form.Chart1->ReplotNow();
    QCOMPARE(form.Chart1->LegendTitles(), (QStringList{"U(t)", "E(t)"}));
    QVERIFY(!form.Chart1->RightAxisShown());
    QVERIFY(form.Chart1->Depth() > 0);
    QVERIFY(form.Chart1->BottomTitle().isEmpty() && form.Chart1->LeftTitle().isEmpty());
    QCOMPARE(form.Chart1->ExactSeries().Count(), 0);  // nothing computed that is not shown
    QCOMPARE(form.Chart1->ErrorSeries().Count(), 0);
  }

  // The closed form (checked elsewhere against a 113-bit evaluation and a fine RK4) at every
  // time of the run.
  void exact_solution_is_a_dashed_third_series_at_the_run_times() {
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    Run(form);
    Switch(form, "Точное решение", true);
    const TFastLineSeries& exact = form.Chart1->ExactSeries();
    QCOMPARE(exact.Count(), 501);
    const ExactSolution solution(DefaultCalcParams());
    for (int i = 0; i < exact.Count(); i += 50) {
      QCOMPARE(exact.Point(i).x(), form.Series1->Point(i).x());
      QCOMPARE(exact.Point(i).y(), static_cast<double>(solution(exact.Point(i).x())));
    }
    form.Chart1->ReplotNow();
    QCOMPARE(form.Chart1->LegendTitles(), (QStringList{"U(t)", "E(t)", QString::fromUtf8("Uточн(t)")}));
    QVERIFY(!form.Chart1->RightAxisShown());

    Switch(form, "Точное решение", false);
    form.Chart1->ReplotNow();
    QCOMPARE(form.Chart1->LegendTitles(), (QStringList{"U(t)", "E(t)"}));
  }

  // u - u_exact per row; its largest size is the runner's true error (about 5.6e-5).
  void error_is_u_minus_exact_on_a_labelled_right_axis() {
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    Run(form);
    Switch(form, "Погрешность", true);
    form.Chart1->ReplotNow();
    const TFastLineSeries& error = form.Chart1->ErrorSeries();
    QCOMPARE(error.Count(), 501);
    ExactErrorTracker tracker;
    tracker.ParametersRead(DefaultCalcParams());
    double largest = 0;
    for (int i = 0; i < error.Count(); ++i) {
      const QPointF u = form.Series1->Point(i);
      const ExactErrorTracker::RowError row = tracker.Observe(u.x(), u.y());
      QCOMPARE(error.Point(i).x(), u.x());
      QCOMPARE(std::fabs(error.Point(i).y()), static_cast<double>(row.error));
      largest = std::max(largest, std::fabs(error.Point(i).y()));
    }
    QCOMPARE(largest, static_cast<double>(tracker.LargestError()));
    QVERIFY(largest > 5e-5 && largest < 6e-5);
    QVERIFY(form.Chart1->RightAxisShown());
    QCOMPARE(form.Chart1->RightTitle(), QString::fromUtf8("U − Uточн, В"));
    QCOMPARE(form.Chart1->RightRange().upper, error.Bounds().maxY);
    QVERIFY2(form.Chart1->RightLabels().join(' ').contains(QString::fromUtf8("мкВ")),
             qPrintable(form.Chart1->RightLabels().join(' ')));
    QVERIFY(form.Chart1->LegendTitles().contains(QString::fromUtf8("U − Uточн")));
  }

  void flat_view_draws_both_series_against_the_front_axes() {
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    Run(form);
    form.Chart1->ReplotNow();
    QVERIFY(form.Chart1->DepthOffsetOf(*form.Series1) > 0);  // the depth view's back slice

    Switch(form, "Плоский вид", true);
    form.Chart1->ReplotNow();
    QCOMPARE(form.Chart1->Depth(), 0);
    QCOMPARE(form.Chart1->DepthOffsetOf(*form.Series1), 0);
    // The plateau of u(t) (row 301, t = 0.3) is drawn where the front axes put it.
    const QPointF plateau = form.Series1->Point(300);
    const QImage picture = form.Chart1->PlotArea()->grab().toImage();
    const QPoint at = form.Chart1->PixelAt(plateau.x(), plateau.y());
    bool blue = false;
    for (int dy = -1; dy <= 1; ++dy) blue = blue || picture.pixelColor(at + QPoint(0, dy)) == QColor(Qt::blue);
    QVERIFY(blue);
  }

  // The microsecond circuit: with the axes' patterns every bottom label reads 0; readable
  // labels tell the ticks apart with SI prefixes, and the axes get their titles.
  void readable_labels_on_a_microsecond_circuit() {
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    form.EditOf(Parameter::R)->setText("1000");
    form.EditOf(Parameter::C)->setText("1e-9");
    form.EditOf(Parameter::T4)->setText("5e-6");
    form.EditOf(Parameter::Step)->setText("1e-8");
    Run(form);
    form.Chart1->ReplotNow();
    QVERIFY(form.Chart1->BottomLabels().size() > 1);
    QCOMPARE(form.Chart1->BottomLabels().removeDuplicates(), form.Chart1->BottomLabels().size() - 1);

    Switch(form, "Подписи осей: авто", true);
    form.Chart1->ReplotNow();
    const QStringList bottom = form.Chart1->BottomLabels();
    QCOMPARE(QStringList(bottom).removeDuplicates(), 0);
    QVERIFY2(bottom.contains(QString::fromUtf8("1 мкс")) && bottom.contains(QString::fromUtf8("5 мкс")),
             qPrintable(bottom.join(" | ")));
    const QStringList left = form.Chart1->LeftLabels();
    QCOMPARE(QStringList(left).removeDuplicates(), 0);
    QVERIFY2(left.join(' ').contains(QString::fromUtf8("мкВ")), qPrintable(left.join(" | ")));
    QCOMPARE(form.Chart1->BottomTitle(), QString::fromUtf8("t, с"));
    QCOMPARE(form.Chart1->LeftTitle(), QString::fromUtf8("U, В"));

    Switch(form, "Подписи осей: авто", false);
    form.Chart1->ReplotNow();
    QVERIFY(form.Chart1->BottomTitle().isEmpty());
  }

  void switches_stay_for_later_runs() {
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    Switch(form, "Точное решение", true);
    Switch(form, "Плоский вид", true);
    Run(form);
    QCOMPARE(form.Chart1->ExactSeries().Count(), 501);  // computed during the run
    form.EditOf(Parameter::Step)->setText(QStringLiteral("0,01"));
    Run(form);
    form.Chart1->ReplotNow();
    QCOMPARE(form.Chart1->ExactSeries().Count(), form.Series1->Count());
    QCOMPARE(form.Chart1->ExactSeries().Point(10).x(), form.Series1->Point(10).x());
    QVERIFY(form.Chart1Menu().Action("Точное решение")->isChecked());
    QCOMPARE(form.Chart1->Depth(), 0);
  }

  void reset_zoom_restores_the_automatic_ranges() {
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    Run(form);
    form.Chart1->ReplotNow();
    Drag(form.Chart1->PlotArea(), Qt::LeftButton, form.Chart1->PixelAt(0.1, 2.5), form.Chart1->PixelAt(0.3, 1.5));
    form.Chart1->ReplotNow();
    QVERIFY(form.Chart1->RangesFixed());
    form.Chart1Menu().Action("Сбросить масштаб")->trigger();
    form.Chart1->ReplotNow();
    QVERIFY(!form.Chart1->RangesFixed());
    QCOMPARE(form.Chart1->LeftRange().lower, 0.0);
    QCOMPARE(form.Chart1->LeftRange().upper, 3.0);
  }

  void save_picture_by_the_extension_at_the_typed_size_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("PNG") << "chart.png";
    QTest::newRow("PDF") << "chart.PDF";
    QTest::newRow("SVG") << "chart.svg";
  }
  void save_picture_by_the_extension_at_the_typed_size() {
    QFETCH(QString, name);
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    Run(form);
    Switch(form, "Точное решение", true);
    const QString path = window.FilePath(name.toUtf8().constData());
    const SeenBox dialog = SaveThroughMenu(form, "Сохранить график…", path, QSize(640, 480));
    QCOMPARE(dialog.kind, QStringLiteral("SaveFileDialog"));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QString suffix = name.section('.', -1).toLower();
    if (suffix == "png") {
      QImage picture;
      QVERIFY(picture.loadFromData(bytes, "PNG"));
      QCOMPARE(picture.size(), QSize(640, 480));
    } else if (suffix == "svg") {
      QSvgRenderer svg(bytes);
      QVERIFY(svg.isValid());
      QCOMPARE(svg.viewBox(), QRect(0, 0, 640, 480));
      // 640 pixels at 96 per inch, as a browser shows it.
      QVERIFY2(bytes.contains("width=\"169.333mm\""), bytes.left(600).constData());
      QVERIFY(bytes.contains("<path") || bytes.contains("<polyline"));
    } else {
      QVERIFY(bytes.startsWith("%PDF-"));
      QVERIFY(bytes.trimmed().endsWith("%%EOF"));
    }
  }

  void save_picture_accepts_only_png_pdf_and_svg_names() {
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    QStringList refused;
    ModalBoxWatcher boxes([&](QWidget* box) {
      auto* dialog = qobject_cast<SaveFileDialog*>(box);
      QVERIFY(dialog);
      QCOMPARE(dialog->WidthBox()->value(), form.Chart1->width());  // the chart's size at first
      for (const char* name : {"chart.jpg", "chart", "chart.png.txt", ""}) {
        dialog->FileNameEdit()->setText(QString::fromUtf8(name));
        if (!dialog->OkButton()->isEnabled()) refused << QString::fromUtf8(name);
      }
      dialog->FileNameEdit()->setText(QStringLiteral("chart.Svg"));
      QVERIFY(dialog->OkButton()->isEnabled());
      dialog->FileNameEdit()->clear();
      dialog->reject();
    });
    form.Chart1Menu().Action("Сохранить график…")->trigger();
    QCOMPARE(refused, (QStringList{"chart.jpg", "chart", "chart.png.txt", ""}));
    QVERIFY(!QFile::exists(window.FilePath("chart.Svg")));
    QVERIFY(!QFile::exists(window.FilePath("rcpulse.png")));
  }

  // A file that cannot be written is an error like any other: the error box, then the window
  // goes on.
  void saving_into_a_missing_folder_shows_the_error_box_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("picture") << "Сохранить график…" << "chart.png" << "Не удалось записать файл %1.";
    QTest::newRow("table") << "Сохранить таблицу…" << "table.csv" << "";
  }
  void saving_into_a_missing_folder_shows_the_error_box() {
    QFETCH(QString, item);
    QFETCH(QString, name);
    QFETCH(QString, message);
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    Run(form);
    const QString path = window.FilePath("missing") + QStringLiteral("/") + name;
    ModalBoxWatcher boxes([&](QWidget* box) {
      if (auto* dialog = qobject_cast<SaveFileDialog*>(box)) dialog->FileNameEdit()->setText(path);
    });
    // The action is its own error boundary: the error box comes from within the click.
    form.Chart1Menu().Action(item.toUtf8().constData())->trigger();
    QCOMPARE(boxes.Seen().size(), 2);
    const SeenBox error = boxes.Seen()[1];
    QCOMPARE(error.icon, QMessageBox::Critical);
    if (!message.isEmpty()) QCOMPARE(error.text, message.arg(path));
    else QVERIFY(!error.text.isEmpty());
    QVERIFY(form.isVisible());
  }

  // The same bytes as the runner's CSV of the same run, with and without the exact columns.
  void save_table_writes_the_runners_csv_data() {
    QTest::addColumn<bool>("exact");
    QTest::newRow("t, u, E") << false;
    QTest::newRow("with u_exact and error") << true;
  }
  void save_table_writes_the_runners_csv() {
    QFETCH(bool, exact);
    QVERIFY2(QFile::exists(CliPath()), qPrintable(CliPath()));
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    Run(form);
    Switch(form, "Погрешность", exact);
    const QString path = window.FilePath("table.csv");
    QCOMPARE(SaveThroughMenu(form, "Сохранить таблицу…", path).kind, QStringLiteral("SaveFileDialog"));

    const TemporaryDirectory runner;
    QProcess cli;
    cli.setWorkingDirectory(QString::fromStdString(runner.Path().string()));
    QStringList arguments{"--decimal-separator", ",", "--csv", "runner.csv"};
    if (exact) arguments << "--exact";
    cli.start(CliPath(), arguments);
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);
    const std::string runnerCsv = ReadWholeFile(runner / "runner.csv");
    QCOMPARE(QByteArray::fromStdString(ReadWholeFile(path.toStdString())), QByteArray::fromStdString(runnerCsv));
    QVERIFY(runnerCsv.starts_with(exact ? "t,u,E,u_exact,error\n" : "t,u,E\n"));
  }

  // Zoomed in so far that one row is many pixels wide, the pointer picks row 101 of the
  // worked example: t = 0.1, u = 1.79630 (to five decimals), E = 3.
  void readout_shows_the_nearest_row() {
    WindowFixture window;
    QVERIFY(window.Ready());
    TForm1& form = window.Form();
    Run(form);
    form.Chart1->ReplotNow();
    QWidget* plot = form.Chart1->PlotArea();
    Drag(plot, Qt::LeftButton, form.Chart1->PixelAt(0.095, 1.9), form.Chart1->PixelAt(0.105, 1.7));
    form.Chart1->ReplotNow();
    QVERIFY(form.Chart1->RangesFixed());

    QTest::mouseMove(plot, form.Chart1->PixelAt(0.1002, 1.8));
    QTRY_COMPARE(form.Chart1->ReadoutText(), QStringLiteral("t = 0,1\nu = 1,7963\nE = 3"));

    Switch(form, "Точное решение", true);
    Switch(form, "Погрешность", true);
    form.Chart1->ReplotNow();
    QTest::mouseMove(plot, form.Chart1->PixelAt(0.0998, 1.8));
    QTRY_COMPARE(Lines(form.Chart1->ReadoutText()).size(), 5);
    const QStringList lines = Lines(form.Chart1->ReadoutText());
    QCOMPARE(lines.mid(0, 3), (QStringList{"t = 0,1", "u = 1,7963", "E = 3"}));
    const QString exactPrefix = QString::fromUtf8("uточн = ");
    const QString errorPrefix = QString::fromUtf8("u − uточн = ");
    QVERIFY(lines[3].startsWith(exactPrefix) && lines[4].startsWith(errorPrefix));
    const double u = form.Series1->Point(100).y();
    const double exactValue = static_cast<double>(ExactVoltage(DefaultCalcParams(), form.Series1->Point(100).x()));
    QVERIFY(std::fabs(NumberAfter(lines[3], exactPrefix) - exactValue) <= 1e-5 * exactValue);
    QVERIFY(std::fabs(NumberAfter(lines[4], errorPrefix) - (u - exactValue)) <= 1e-5 * std::fabs(u - exactValue));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(plot, &leave);
    QCOMPARE(form.Chart1->ReadoutText(), QString());
  }
};

RCPULSE_UI_TEST_MAIN(ChartMenuTest)
#include "ChartMenuTest.moc"
