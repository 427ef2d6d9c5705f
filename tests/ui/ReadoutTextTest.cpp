// The readout's number texts: six significant digits, the locale's separator, the exponent as
// the result box writes it ("E-5"), zero without a sign. Expected texts worked out by hand.
#include "UiTestSupport.h"
#include "ui/ReadoutText.h"

class ReadoutTextTest : public QObject {
  Q_OBJECT

 private slots:
  void number_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("text");
    QTest::newRow("accumulated 0.1") << 0.10000000000000007 << "," << "0,1";
    QTest::newRow("six digits, rounded") << 1.7963049 << "," << "1,7963";
    QTest::newRow("point separator") << 2.4251149 << "." << "2.42511";
    QTest::newRow("small with exponent") << 5.61234e-5 << "," << "5,61234E-5";
    QTest::newRow("negative small") << -1.25e-7 << "," << "-1,25E-7";
    QTest::newRow("large with exponent") << 1.5e15 << "," << "1,5E15";
    QTest::newRow("integer") << 3.0 << "," << "3";
    QTest::newRow("negative zero") << -0.0 << "," << "0";
  }
  void number() {
    QFETCH(double, value);
    QFETCH(QString, separator);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(ReadoutNumber(value, separator.at(0).toLatin1())), text);
  }

  void lines_with_and_without_the_study_curves() {
    ReadoutValues values;
    values.t = 0.45;
    values.u = 2.4051;
    values.E = 1.5;
    QCOMPARE(QString::fromStdString(ReadoutText(values, ',')), QStringLiteral("t = 0,45\nu = 2,4051\nE = 1,5"));
    values.exact = 2.40509;
    values.error = 1e-5;
    QCOMPARE(QString::fromStdString(ReadoutText(values, ',')),
             QString::fromUtf8("t = 0,45\nu = 2,4051\nE = 1,5\nuточн = 2,40509\nu − uточн = 1E-5"));
  }
};

RCPULSE_UI_TEST_MAIN(ReadoutTextTest)
#include "ReadoutTextTest.moc"
