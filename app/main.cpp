// The program's main routine: initialise the application object, create the one main window
// Form1, and run the message loop until the window is closed.
#include "ui/ApplicationSetup.h"
#include "ui/TApplication.h"
#include "ui/Unit1.h"

int main(int argc, char** argv) {
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  TApplication application(argc, argv);
  InitializeApplication();

  TForm1 Form1;
  Form1.show();
  application.exec();
  // Closing the window by any means is the normal end of the program.
  return 0;
}
