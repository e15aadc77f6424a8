// The least a Qt program does to show the sample photo in a main window and quit
// after its first frame: the yardstick of the editor's start in StartBench.

#include "demo/FirstFrameQuitter.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto* photo = new QLabel(&window);
    photo->setPixmap(QPixmap(QStringLiteral(":/photos/sample.jpg")));
    photo->setScaledContents(true);
    window.setCentralWidget(photo);
    new Tavrel::Demo::FirstFrameQuitter(&window);
    window.resize(1360, 860);
    window.show();
    return app.exec();
}
