// Readable axis labels: which power of 1000 and how many decimals a set of ticks needs, and the
// label texts. Expected texts are worked out by hand from the tick values: distinct ticks must
// give distinct texts, values from 0.1 to 1000 stay plain, others get an SI prefix.
#include <vector>

#include "UiTestSupport.h"
#include "ui/ReadableAxisText.h"

namespace {

QStringList Labels(const QList<double>& ticks, const char* unit, char separator = ',') {
  const std::vector<double> values(ticks.begin(), ticks.end());
  const ReadableScale scale = ChooseReadableScale(values);
  QStringList labels;
  for (double tick : values) labels << QString::fromStdString(ReadableAxisText(tick, scale, unit, separator, " "));
  return labels;
}

}  // namespace

class ReadableAxisTextTest : public QObject {
  Q_OBJECT

 private slots:
  void labels_data() {
    QTest::addColumn<QList<double>>("ticks");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("microseconds") << QList<double>{0, 1e-6, 2e-6, 3e-6, 4e-6, 5e-6} << "с"
                                  << QStringList{"0", "1 мкс", "2 мкс", "3 мкс", "4 мкс", "5 мкс"};
    QTest::newRow("half microseconds") << QList<double>{0, 5e-7, 1e-6, 1.5e-6} << "с"
                                       << QStringList{"0", "0,5 мкс", "1 мкс", "1,5 мкс"};
    QTest::newRow("plain volts") << QList<double>{0, 0.5, 1, 1.5, 2, 2.5, 3} << "В"
                                 << QStringList{"0", "0,5", "1", "1,5", "2", "2,5", "3"};
    QTest::newRow("steps of 2.5 need a second decimal") << QList<double>{0, 0.025, 0.05, 0.075, 0.1} << "с"
                                                        << QStringList{"0", "0,025", "0,05", "0,075", "0,1"};
    QTest::newRow("microvolts with a sign") << QList<double>{-2e-5, -1e-5, 0, 1e-5, 2e-5} << "В"
                                            << QStringList{"-20 мкВ", "-10 мкВ", "0", "10 мкВ", "20 мкВ"};
    QTest::newRow("deep zoom keeps neighbours apart") << QList<double>{0.5000001, 0.5000002, 0.5000003} << "с"
                                                      << QStringList{"0,5000001", "0,5000002", "0,5000003"};
    QTest::newRow("kilo") << QList<double>{0, 2000, 4000, 6000} << "Ом" << QStringList{"0", "2 кОм", "4 кОм", "6 кОм"};
    QTest::newRow("one tick") << QList<double>{5e-6} << "с" << QStringList{"5 мкс"};
    QTest::newRow("only zero") << QList<double>{0} << "В" << QStringList{"0"};
  }
  void labels() {
    QFETCH(QList<double>, ticks);
    QFETCH(QString, unit);
    QFETCH(QStringList, labels);
    QCOMPARE(Labels(ticks, unit.toUtf8().constData()), labels);
  }

  void scale_data() {
    QTest::addColumn<QList<double>>("ticks");
    QTest::addColumn<int>("power");
    QTest::addColumn<int>("decimals");
    QTest::newRow("0.1 is plain") << QList<double>{0, 0.05, 0.1} << 0 << 2;
    QTest::newRow("below 0.1 a prefix") << QList<double>{0, 0.02, 0.04} << -3 << 0;
    QTest::newRow("999 is plain") << QList<double>{0, 500, 999} << 0 << 0;
    QTest::newRow("beyond giga stays giga") << QList<double>{0, 5e12} << 9 << 0;
    QTest::newRow("below pico stays pico") << QList<double>{0, 2.5e-15} << -12 << 4;
  }
  void scale() {
    QFETCH(QList<double>, ticks);
    QFETCH(int, power);
    QFETCH(int, decimals);
    const std::vector<double> values(ticks.begin(), ticks.end());
    const ReadableScale chosen = ChooseReadableScale(values);
    QCOMPARE(chosen.power, power);
    QCOMPARE(chosen.decimals, decimals);
  }

  void point_separator() {
    QCOMPARE(Labels({0, 0.25, 0.5}, "В", '.'), (QStringList{"0", "0.25", "0.5"}));
  }
};

RCPULSE_UI_TEST_MAIN(ReadableAxisTextTest)
#include "ReadableAxisTextTest.moc"
