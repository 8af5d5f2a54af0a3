#include "App/shell/ApplicationMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return runApplication(application);
}
