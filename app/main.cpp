// The program's main routine: initialise the application object, create the one main window
// Form1, and run the message loop until the window is closed.
#include <QApplication>
#include <memory>

#include "ui/ApplicationSetup.h"
#include "ui/Unit1.h"

int main(int argc, char** argv) {
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication application(argc, argv);
  InitializeApplication();

  auto form = std::make_unique<TForm1>();
  Form1 = form.get();
  form->show();
  application.exec();
  Form1 = nullptr;
  // Closing the window by any means is the normal end of the program.
  return 0;
}
