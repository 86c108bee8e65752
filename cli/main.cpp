#include "cli/Companion.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    return Companion::run(QCoreApplication::arguments());
}
