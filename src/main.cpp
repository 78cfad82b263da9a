#include "app/Startup.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (!StartTamselProposal())
        return 1;
    return app.exec();
}
