// SPDX-License-Identifier: MIT
// vantrelo: the airport-lookup window. Run it in a directory that holds
// airports.txt; it keeps its settings in Vantrelo.ini there.

#include <QApplication>

#include "ui/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  ui::MainWindow window;
  if (!window.startUp()) return 1;  // the failure has been shown already
  window.show();
  return QApplication::exec();
}
