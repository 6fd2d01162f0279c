// Another application for the dock's end-to-end tests, on the private X server:
//   e2e-dock-client drag URL...   a window "Drag source" (prints "ready" once painted); pressing in it and
//   moving drags the URLs as a text/uri-list
//                                 and prints how the drag ended ("copy", "move" or "ignore"); stays until
//                                 killed
//   e2e-dock-client fullscreen    a full-screen window "Full screen" that stays until killed
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QUrl>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {

class DragSource : public QWidget {
public:
    explicit DragSource(QList<QUrl> urls) : urls_(std::move(urls)) {
        setWindowTitle(QStringLiteral("Drag source"));
        setFixedSize(160, 100);
        move(60, 300);
    }

protected:
    // Says once that it is on screen and takes the pointer: the test presses only then.
    void paintEvent(QPaintEvent*) override {
        if (announced_)
            return;
        announced_ = true;
        std::printf("ready\n");
        std::fflush(stdout);
    }

    // Like a file manager: the drag starts once the pointer moves with the button held.
    void mouseMoveEvent(QMouseEvent* event) override {
        if (started_ || !(event->buttons() & Qt::LeftButton))
            return;
        started_ = true;
        auto* drag = new QDrag(this);
        auto* payload = new QMimeData;
        payload->setUrls(urls_);
        drag->setMimeData(payload);
        // A small image beside the pointer, never under it: the window under the pointer is the target.
        QPixmap image(8, 8);
        image.fill(Qt::darkBlue);
        drag->setPixmap(image);
        drag->setHotSpot(QPoint(-16, -16));
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
        // The drag's last messages to the target (the leave or the drop) have reached the X server before
        // the outcome is told: the test may end this program as soon as it reads it, and a target that
        // never hears the end of a drag takes the next one for its continuation (seen: the Leave of a
        // refused drag lost, and the dock then never reading the next source's files).
        QCoreApplication::processEvents();
        endRoundTrip();
        std::printf("%s\n", action == Qt::CopyAction ? "copy" : action == Qt::MoveAction ? "move" : "ignore");
        std::fflush(stdout);
        // Kept running, like a file manager: the target reads the dragged data from the source after the
        // drop.
    }

private:
    // A request with a reply: when it comes, the server has handled every request sent before it.
    static void endRoundTrip() {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11)
            return;
        xcb_connection_t* connection = x11->connection();
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }

    QList<QUrl> urls_;
    bool started_ = false;
    bool announced_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("drag")) {
        QList<QUrl> urls;
        for (qsizetype i = 2; i < args.size(); ++i)
            urls.push_back(QUrl(args[i]));
        DragSource source(urls);
        source.show();
        return QApplication::exec();
    }
    if (args.size() == 2 && args[1] == QLatin1String("fullscreen")) {
        QWidget window;
        window.setWindowTitle(QStringLiteral("Full screen"));
        window.showFullScreen();
        return QApplication::exec();
    }
    std::fprintf(stderr, "usage: e2e-dock-client drag URL... | fullscreen\n");
    return 2;
}
