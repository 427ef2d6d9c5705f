// The results chart on its own: insertion order and positions, one by one and in spans, the
// merged repaint and its hold while a run is in progress, the storage given back, the exact
// automatic ranges with the single 0 label of an empty chart, label texts under a comma
// separator, mouse zoom, undo and scroll, and rendering to a picture.
#include <QImage>
#include <QSignalSpy>
#include <vector>

#include "UiTestSupport.h"
#include "model/Errors.h"
#include "output/ChartOutput.h"
#include "run/CalculationRun.h"
#include "run/ParameterSource.h"
#include "tests/support/DefaultParameters.h"
#include "tests/support/TemporaryDirectory.h"
#include "tests/support/ScopedDecimalSeparator.h"
#include "ui/TChart.h"

namespace {

void FillSeries(TChart& chart, int position, const QList<QPointF>& points) {
  for (const QPointF& point : points) chart.Series(position).InsertPoint(point.x(), point.y());
}

bool Near(double actual, double expected, double tolerance) {
  return std::fabs(actual - expected) <= tolerance;
}

std::vector<ResultRow> RowsAt(const QList<double>& times) {
  std::vector<ResultRow> rows;
  for (int i = 0; i < times.size(); ++i) rows.push_back({times[i], 10.0 + i, -1.0 - i});
  return rows;
}

QList<QPointF> PointsOf(const TFastLineSeries& series) {
  QList<QPointF> points;
  for (int i = 0; i < series.Count(); ++i) points << series.Point(i);
  return points;
}

// Processes the window's events on every span of rows, as the progress dialog does, and
// counts the drawings it lets through.
struct EventsDuringTheRun : RunObserver {
  explicit EventsDuringTheRun(TChart& chart) {
    QObject::connect(&chart, &TChart::Replotted, [this] { ++drawnDuringRun; });
  }
  void RowsEmitted(std::span<const ResultRow>) override {
    if (!finished) QCoreApplication::processEvents();
  }
  void RunFinished(double) override { finished = true; }
  int drawnDuringRun = 0;
  bool finished = false;
};

// The library draws a new chart once by itself, on the first pass of the event loop.
void LetFirstDrawingPass() { QTest::qWait(50); }

struct DefaultSource : ParameterSource {
  CalcParams params = DefaultCalcParams();
  CalcParams ReadCalcParams() override { return params; }
};

}  // namespace

class TChartTest : public QObject {
  Q_OBJECT

 private slots:
  void series_are_addressed_by_position_with_their_titles_and_pens() {
    TChart chart;
    QCOMPARE(chart.SeriesCount(), 2);
    QCOMPARE(chart.FastLineSeries(0).Title(), QStringLiteral("U(t)"));
    QCOMPARE(chart.FastLineSeries(0).Color(), QColor(Qt::blue));
    QCOMPARE(chart.FastLineSeries(0).PenWidth(), 2);
    QCOMPARE(chart.FastLineSeries(1).Title(), QStringLiteral("E(t)"));
    QCOMPARE(chart.FastLineSeries(1).Color(), QColor(Qt::red));
    QCOMPARE(chart.FastLineSeries(1).PenWidth(), 1);
  }

  void insert_point_keeps_ascending_x_with_equal_x_after_the_others_data() {
    QTest::addColumn<QList<double>>("xs");
    QTest::addColumn<QList<int>>("positions");
    QTest::addColumn<QList<double>>("orderOfY");  // y is the index of the insertion
    QTest::newRow("1, 3, 2, 2") << QList<double>{1, 3, 2, 2} << QList<int>{0, 1, 1, 2}
                                << QList<double>{0, 2, 3, 1};
    QTest::newRow("before the first") << QList<double>{5, 6, 4} << QList<int>{0, 1, 0}
                                      << QList<double>{2, 0, 1};
    QTest::newRow("equal to the first goes after it") << QList<double>{5, 6, 5} << QList<int>{0, 1, 1}
                                                      << QList<double>{0, 2, 1};
    QTest::newRow("equal to the last is appended") << QList<double>{1, 2, 2, 2} << QList<int>{0, 1, 2, 3}
                                                   << QList<double>{0, 1, 2, 3};
  }
  void insert_point_keeps_ascending_x_with_equal_x_after_the_others() {
    QFETCH(QList<double>, xs);
    QFETCH(QList<int>, positions);
    QFETCH(QList<double>, orderOfY);
    TChart chart;
    TFastLineSeries& series = chart.FastLineSeries(0);
    for (int i = 0; i < xs.size(); ++i) QCOMPARE(series.InsertPoint(xs[i], i), positions[i]);
    QCOMPARE(series.Count(), xs.size());
    for (int i = 0; i < orderOfY.size(); ++i) QCOMPARE(series.Point(i).y(), orderOfY[i]);
    for (int i = 1; i < series.Count(); ++i) QVERIFY(series.Point(i - 1).x() <= series.Point(i).x());
  }

  // Spans go in one piece when their times ascend from the last point, and point by point
  // otherwise; either way the series ends exactly as after InsertPoint one by one.
  void insert_points_equals_insert_point_one_by_one_data() {
    QTest::addColumn<QList<double>>("before");
    QTest::addColumn<QList<double>>("span");
    QTest::newRow("empty, ascending") << QList<double>{} << QList<double>{0, 1, 2, 3};
    QTest::newRow("after the last") << QList<double>{0, 1} << QList<double>{2, 3};
    QTest::newRow("equal to the last goes after it") << QList<double>{0, 1} << QList<double>{1, 1, 2};
    QTest::newRow("all equal") << QList<double>{2, 2} << QList<double>{2, 2};
    QTest::newRow("starts below the last") << QList<double>{0, 5} << QList<double>{3, 6};
    QTest::newRow("descends inside") << QList<double>{} << QList<double>{1, 3, 2, 2, 4};
    QTest::newRow("one row") << QList<double>{1} << QList<double>{0.5};
  }
  void insert_points_equals_insert_point_one_by_one() {
    QFETCH(QList<double>, before);
    QFETCH(QList<double>, span);
    TChart bulk;
    TChart single;
    for (double x : before) {
      bulk.Series(0).InsertPoint(x, -x);
      single.Series(0).InsertPoint(x, -x);
    }
    const std::vector<ResultRow> rows = RowsAt(span);
    bulk.Series(0).InsertPoints(rows, &ResultRow::u);
    for (const ResultRow& row : rows) single.Series(0).InsertPoint(row.t, row.u);
    QCOMPARE(PointsOf(bulk.FastLineSeries(0)), PointsOf(single.FastLineSeries(0)));
    const SeriesBounds& a = bulk.FastLineSeries(0).Bounds();
    const SeriesBounds& b = single.FastLineSeries(0).Bounds();
    QCOMPARE(QList<double>({a.minX, a.maxX, a.minY, a.maxY}), QList<double>({b.minX, b.maxX, b.minY, b.maxY}));
  }

  void a_span_asks_for_one_repaint() {
    TChart chart;
    chart.resize(407, 410);
    LetFirstDrawingPass();
    QSignalSpy replots(&chart, &TChart::Replotted);
    const std::vector<ResultRow> rows = RowsAt({0, 1, 2, 3, 4});
    chart.Series(0).InsertPoints(rows, &ResultRow::u);
    chart.Series(1).InsertPoints(rows, &ResultRow::E);
    QCOMPARE(replots.count(), 0);
    QTRY_COMPARE(replots.count(), 1);
    QTest::qWait(50);
    QCOMPARE(replots.count(), 1);
    QCOMPARE(chart.LeftRange().lower, -5.0);  // E of the last row
    QCOMPARE(chart.LeftRange().upper, 14.0);  // u of the last row
  }

  // Events processed while a run computes (the progress dialog's) never draw a partial run;
  // the chart is drawn once when the run has ended.
  void no_drawing_while_a_run_is_in_progress() {
    TChart chart;
    chart.resize(407, 410);
    LetFirstDrawingPass();
    DefaultSource parameters;
    parameters.params.Step = 1e-5;  // 50,001 rows, handed on in many spans
    ChartOutput output(chart);
    EventsDuringTheRun events(chart);
    QSignalSpy replots(&chart, &TChart::Replotted);
    CalculationRun(parameters, {&output, &events});
    QCOMPARE(events.drawnDuringRun, 0);
    QVERIFY(!chart.RunInProgress());
    QTRY_COMPARE(replots.count(), 1);
    QTest::qWait(50);
    QCOMPARE(replots.count(), 1);
    QCOMPARE(chart.FastLineSeries(0).Count(), 50'001);
    QVERIFY(std::fabs(chart.BottomRange().upper - 0.5) < 1e-6);
  }

  void an_abandoned_run_releases_the_hold_and_keeps_its_points() {
    TChart chart;
    chart.resize(407, 410);
    LetFirstDrawingPass();
    DefaultSource parameters;
    parameters.params.R = 0;  // the start step divides by zero after the first row
    ChartOutput output(chart);
    QSignalSpy replots(&chart, &TChart::Replotted);
    QVERIFY_THROWS_EXCEPTION(EZeroDivide, CalculationRun(parameters, {&output}));
    QVERIFY(!chart.RunInProgress());
    QCOMPARE(chart.FastLineSeries(0).Count(), 1);
    QTRY_COMPARE(replots.count(), 1);
  }

  void a_chart_output_destroyed_mid_run_releases_the_hold() {
    TChart chart;
    {
      ChartOutput output(chart);
      output.RunStarted();
      QVERIFY(chart.RunInProgress());
    }
    QVERIFY(!chart.RunInProgress());
  }

  // After a long run a short one gives memory back: its reservation returns the room it does
  // not need, and room reserved for a run that ended early is returned when the run ends.
  void storage_shrinks_to_what_the_series_holds() {
    TChart chart;
    TFastLineSeries& series = chart.FastLineSeries(0);
    std::vector<ResultRow> rows(200'000);
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = {double(i), 1, 0};
    const auto run = [&](std::size_t expected, std::size_t emitted) {
      chart.RunBegins();
      series.ClearPoints();
      series.ReservePoints(expected);
      series.InsertPoints(std::span(rows).first(emitted), &ResultRow::u);
      chart.RunEnds();
    };
    run(rows.size(), rows.size());
    const std::size_t longRoom = series.Capacity();
    QVERIFY(longRoom >= rows.size());

    run(rows.size(), rows.size());  // as long again: the same room, no new memory
    QCOMPARE(series.Capacity(), longRoom);

    run(501, 501);
    QCOMPARE(series.Count(), 501);
    QVERIFY2(series.Capacity() < 1000, qPrintable(QString::number(series.Capacity())));

    run(1'000'000, 501);  // a run that ends early
    QCOMPARE(series.Count(), 501);
    QVERIFY2(series.Capacity() < 501 + 4096, qPrintable(QString::number(series.Capacity())));

    run(rows.size(), 0);  // a run that fails before its first row keeps nothing
    QCOMPARE(series.Capacity(), std::size_t{0});
  }

  void clear_points_empties_the_series() {
    TChart chart;
    FillSeries(chart, 1, {{0, 1}, {1, 2}});
    chart.Series(1).ClearPoints();
    QCOMPARE(chart.FastLineSeries(1).Count(), 0);
  }

  void adding_points_never_draws_and_asks_for_one_repaint() {
    TChart chart;
    chart.resize(407, 410);
    chart.ReplotNow();
    QTest::qWait(50);
    QSignalSpy replots(&chart, &TChart::Replotted);
    chart.Series(0).ClearPoints();
    chart.Series(1).ClearPoints();
    for (int i = 0; i < 1000; ++i) {
      chart.Series(0).InsertPoint(i, i);
      chart.Series(1).InsertPoint(i, -i);
    }
    QCOMPARE(replots.count(), 0);
    QTRY_COMPARE(replots.count(), 1);
    QTest::qWait(50);
    QCOMPARE(replots.count(), 1);
    QCOMPARE(chart.BottomRange().upper, 999.0);
  }

  void automatic_ranges_run_exactly_over_both_series() {
    TChart chart;
    FillSeries(chart, 0, {{0.001, 0.25}, {0.25, 2.75}, {0.5003, 1.2}});
    FillSeries(chart, 1, {{0.001, -0.125}, {0.25, 3}, {0.5003, 0}});
    chart.ReplotNow();
    QCOMPARE(chart.BottomRange().lower, 0.001);
    QCOMPARE(chart.BottomRange().upper, 0.5003);
    QCOMPARE(chart.LeftRange().lower, -0.125);
    QCOMPARE(chart.LeftRange().upper, 3.0);
  }

  void empty_chart_shows_the_single_label_zero_in_the_middle_of_each_axis() {
    TChart chart;
    chart.resize(407, 410);
    chart.ReplotNow();
    QCOMPARE(chart.BottomLabels(), QStringList{QStringLiteral("0")});
    QCOMPARE(chart.LeftLabels(), QStringList{QStringLiteral("0")});
    QCOMPARE(chart.BottomRange().lower, -chart.BottomRange().upper);
    QCOMPARE(chart.LeftRange().lower, -chart.LeftRange().upper);
  }

  void series_all_at_zero_lie_at_mid_height_with_the_single_label_zero() {
    TChart chart;
    chart.resize(407, 410);
    FillSeries(chart, 0, {{0, 0}, {1, 0}});
    FillSeries(chart, 1, {{0, 0}, {1, 0}});
    chart.ReplotNow();
    QCOMPARE(chart.LeftLabels(), QStringList{QStringLiteral("0")});
    QCOMPARE(chart.LeftRange().lower, -chart.LeftRange().upper);
    QCOMPARE(chart.BottomRange().lower, 0.0);
    QCOMPARE(chart.BottomRange().upper, 1.0);
  }

  void labels_use_the_comma_separator_and_the_axis_decimals() {
    ScopedDecimalSeparator comma(',');
    TChart chart;
    chart.resize(407, 410);
    FillSeries(chart, 0, {{0.123456, 0.123456}});
    chart.ReplotNow();
    QCOMPARE(chart.LeftLabels(), QStringList{QStringLiteral("0,12346")});
    QCOMPARE(chart.BottomLabels(), QStringList{QStringLiteral("0,123")});

    chart.Series(0).ClearPoints();
    FillSeries(chart, 0, {{0, 0}, {0.2, 0.2}});
    chart.ReplotNow();
    QVERIFY2(chart.LeftLabels().contains(QStringLiteral("0,05")), qPrintable(chart.LeftLabels().join(' ')));
    QVERIFY2(chart.BottomLabels().contains(QStringLiteral("0,05")), qPrintable(chart.BottomLabels().join(' ')));
  }

  void zoom_holds_across_new_points_until_the_undo_drag() {
    TChart chart;
    chart.resize(407, 410);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    FillSeries(chart, 0, {{0, 0}, {0.5, 3}});
    FillSeries(chart, 1, {{0, 0}, {0.5, 3}});
    chart.ReplotNow();

    QWidget* plot = chart.PlotArea();
    const QPoint from = chart.PixelAt(0.1, 2);
    const QPoint to = chart.PixelAt(0.3, 1);
    QTest::mousePress(plot, Qt::LeftButton, {}, from);
    QTest::mouseMove(plot, to);
    QTest::mouseRelease(plot, Qt::LeftButton, {}, to);
    chart.ReplotNow();
    QVERIFY(chart.RangesFixed());
    const AxisRange zoomedX = chart.BottomRange();
    const AxisRange zoomedY = chart.LeftRange();
    QVERIFY(Near(zoomedX.lower, 0.1, 0.01) && Near(zoomedX.upper, 0.3, 0.01));
    QVERIFY(Near(zoomedY.lower, 1, 0.05) && Near(zoomedY.upper, 2, 0.05));

    // A new run's points are drawn in the zoomed ranges.
    chart.Series(0).ClearPoints();
    chart.Series(1).ClearPoints();
    FillSeries(chart, 0, {{0, -5}, {2, 7}});
    chart.ReplotNow();
    QCOMPARE(chart.BottomRange().lower, zoomedX.lower);
    QCOMPARE(chart.BottomRange().upper, zoomedX.upper);
    QCOMPARE(chart.LeftRange().lower, zoomedY.lower);
    QCOMPARE(chart.LeftRange().upper, zoomedY.upper);

    // Dragging up and to the left restores the automatic ranges.
    QTest::mousePress(plot, Qt::LeftButton, {}, QPoint(200, 200));
    QTest::mouseMove(plot, QPoint(150, 150));
    QTest::mouseRelease(plot, Qt::LeftButton, {}, QPoint(150, 150));
    chart.ReplotNow();
    QVERIFY(!chart.RangesFixed());
    QCOMPARE(chart.BottomRange().lower, 0.0);
    QCOMPARE(chart.BottomRange().upper, 2.0);
    QCOMPARE(chart.LeftRange().lower, -5.0);
    QCOMPARE(chart.LeftRange().upper, 7.0);
  }

  void a_click_without_dragging_changes_nothing() {
    TChart chart;
    chart.resize(407, 410);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    FillSeries(chart, 0, {{0, 0}, {1, 1}});
    chart.ReplotNow();
    QTest::mouseClick(chart.PlotArea(), Qt::LeftButton, {}, QPoint(200, 200));
    chart.ReplotNow();
    QVERIFY(!chart.RangesFixed());
    QCOMPARE(chart.BottomRange().upper, 1.0);
  }

  void right_drag_scrolls_with_the_pointer() {
    TChart chart;
    chart.resize(407, 410);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    FillSeries(chart, 0, {{0, 0}, {1, 1}});
    chart.ReplotNow();
    QWidget* plot = chart.PlotArea();
    const QPoint from = chart.PixelAt(0.5, 0.5);
    const QPoint to = chart.PixelAt(0.25, 0.5);
    QTest::mousePress(plot, Qt::RightButton, {}, from);
    QTest::mouseMove(plot, to);
    QTest::mouseRelease(plot, Qt::RightButton, {}, to);
    chart.ReplotNow();
    QVERIFY(chart.RangesFixed());
    // The plot moved left with the pointer, so the axis now starts a quarter further right.
    QVERIFY(Near(chart.BottomRange().lower, 0.25, 0.01));
    QVERIFY(Near(chart.BottomRange().upper, 1.25, 0.01));
    QVERIFY(Near(chart.LeftRange().lower, 0, 0.01));
  }

  void depth_view_has_an_outlined_back_wall_and_filled_side_walls() {
    TChart chart;
    chart.resize(407, 410);
    FillSeries(chart, 0, {{0, 0}, {1, 1}});
    chart.ReplotNow();
    const QImage picture = chart.PlotArea()->grab().toImage();
    const QRect front = chart.FrontPlane();
    const int depth = chart.Depth();
    QCOMPARE(depth, qRound(0.05 * 407));  // 5 % of the smaller side
    const QColor background = chart.palette().color(QPalette::Button);
    // The back wall's top edge, one depth up and to the right of the front plane's.
    QCOMPARE(picture.pixelColor(front.left() + depth + front.width() / 3, front.top() - depth), QColor(Qt::black));
    // Inside the back wall, away from the grid and the curves, the chart's own background shows.
    QCOMPARE(picture.pixelColor(front.left() + depth + 3, front.top() - depth + 3), background);
    // The left and bottom walls are filled.
    QCOMPARE(picture.pixelColor(front.left() + depth / 2, front.top() + front.height() / 3), QColor(Qt::white));
    QCOMPARE(picture.pixelColor(front.left() + front.width() / 3, front.bottom() - depth / 2), QColor(Qt::white));
  }

  void renders_to_a_picture_of_the_requested_size() {
    const TemporaryDirectory directory;
    const auto path = [&](const char* name) { return QString::fromStdString((directory / name).string()); };
    TChart chart;
    FillSeries(chart, 0, {{0, 0}, {0.5, 3}});
    FillSeries(chart, 1, {{0, 0}, {0.5, 1}});
    QVERIFY(chart.SavePng(path("chart.png"), 800, 600));
    const QImage picture(path("chart.png"));
    QCOMPARE(picture.size(), QSize(800, 600));
    QVERIFY(chart.SavePdf(path("chart.pdf"), 800, 600));
    QVERIFY(QFileInfo(path("chart.pdf")).size() > 0);
  }
};

RCPULSE_UI_TEST_MAIN(TChartTest)
#include "TChartTest.moc"
