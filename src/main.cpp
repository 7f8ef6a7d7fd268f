#include "app/Application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qtApplication(argc, argv);
    return Application().run(QApplication::arguments());
}
