// Axis label texts by "#,##0.#####" and "#,##0.###". Expected texts follow from the exact
// decimal value of each double: 0.0625 is exactly representable (a true half, rounded away
// from zero), while the double nearest 5E-6 is 5.0000000000000004E-6, just above the half.
#include "UiTestSupport.h"
#include "ui/AxisLabelText.h"

class AxisLabelTextTest : public QObject {
  Q_OBJECT

 private slots:
  void label_text_by_pattern_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("decimalSeparator");
    QTest::addColumn<QString>("thousandsSeparator");
    QTest::addColumn<QString>("text");
    QTest::newRow("0.05 left") << 0.05 << 5 << "," << " " << "0,05";
    QTest::newRow("0.05 bottom") << 0.05 << 3 << "," << " " << "0,05";
    QTest::newRow("0.123456 left") << 0.123456 << 5 << "," << " " << "0,12346";
    QTest::newRow("0.123456 bottom") << 0.123456 << 3 << "," << " " << "0,123";
    QTest::newRow("zero") << 0.0 << 5 << "," << " " << "0";
    QTest::newRow("negative zero") << -0.0 << 5 << "," << " " << "0";
    QTest::newRow("negative rounding to zero has no sign") << -0.0000049 << 5 << "," << " " << "0";
    QTest::newRow("just above the half rounds up") << -5e-6 << 5 << "," << " " << "-0,00001";
    QTest::newRow("exact half away from zero") << 0.0625 << 3 << "." << "," << "0.063";
    QTest::newRow("exact negative half away from zero") << -0.0625 << 3 << "." << "," << "-0.063";
    QTest::newRow("no trailing zeros") << 2.5 << 5 << "," << " " << "2,5";
    QTest::newRow("integer has no separator") << 3.0 << 5 << "," << " " << "3";
    QTest::newRow("carry into the integer digits") << 999.9996 << 3 << "," << " " << "1 000";
    QTest::newRow("grouped in threes") << -1234567.25 << 3 << "," << " " << "-1 234 567,25";
    QTest::newRow("multi-byte thousands separator") << 12345.0 << 3 << "," << "\u00a0" << "12\u00a0345";
    QTest::newRow("below a thousand not grouped") << 999.0 << 3 << "." << "," << "999";
  }
  void label_text_by_pattern() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, decimalSeparator);
    QFETCH(QString, thousandsSeparator);
    QFETCH(QString, text);
    const std::string label = AxisLabelText(value, decimals, decimalSeparator.toLatin1().at(0),
                                            thousandsSeparator.toStdString());
    QCOMPARE(QString::fromStdString(label), text);
  }
};

RCPULSE_UI_TEST_MAIN(AxisLabelTextTest)
#include "AxisLabelTextTest.moc"
