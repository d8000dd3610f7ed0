// The least a Qt program does to show a window: start a QApplication, show one empty QMainWindow and exit
// once it has been painted for the first time. The ratio script measures Almarin's start-up against it.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>

namespace {

// Quits on the first paint of the window it watches.
class TFirstPaint : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            // Not quit(), which would close the window before this paint reaches the screen.
            QCoreApplication::exit(0);
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    TFirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    return app.exec();
}
