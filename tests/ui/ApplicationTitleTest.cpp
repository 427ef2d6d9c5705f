// The application title from the program file's name: directory dropped, cut at the first
// point, every character after the first in lower case.
#include "UiTestSupport.h"
#include "ui/ApplicationTitle.h"

class ApplicationTitleTest : public QObject {
  Q_OBJECT

 private slots:
  void title_follows_the_program_file_name_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("plain name") << "rcpulse" << "rcpulse";
    QTest::newRow("directory dropped") << "/usr/local/bin/rcpulse" << "rcpulse";
    QTest::newRow("capitals after the first lowered") << "/opt/CIRCUIT.EXE" << "Circuit";
    QTest::newRow("cut at the first point") << "lab.final" << "lab";
    QTest::newRow("cut at the first point of several") << "/home/u/lab.final.exe" << "lab";
    QTest::newRow("a point in the directory does not count") << "/srv/v1.2/RcPulse" << "Rcpulse";
    QTest::newRow("first character keeps its case") << "/x/rCPULSE" << "rcpulse";
    QTest::newRow("Cyrillic lowered too") << QString::fromUtf8("/x/РАСЧЁТ.bin") << QString::fromUtf8("Расчёт");
    QTest::newRow("nothing before the point") << "/x/.hidden" << "";
  }
  void title_follows_the_program_file_name() {
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(ApplicationTitle(path), title);
  }

  void the_running_program_is_named_by_its_title() {
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Applicationtitletest"));
  }
};

RCPULSE_UI_TEST_MAIN(ApplicationTitleTest)
#include "ApplicationTitleTest.moc"
