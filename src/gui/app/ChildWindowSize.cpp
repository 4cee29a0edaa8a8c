#include "app/ChildWindowSize.h"

#include "app/FrontEndSettings.h"
#include "app/frmMain.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QResizeEvent>

namespace zr {

namespace {

/// Follows the window into its child-window frame, sizes the frame when it is
/// first shown, lets it grow with its content until the user sizes it, and
/// keeps the size the user gives it.
class SizeKeeper : public QObject {
public:
    SizeKeeper(frmMain& main, QWidget* window) : QObject(window), m_main(main), m_window(window) {
        window->installEventFilter(this);
        follow();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::ParentChange) {
            follow();
        } else if (watched == m_frame) {
            switch (event->type()) {
            case QEvent::Show:
                if (!m_opened) open();
                break;
            case QEvent::LayoutRequest:
                if (m_growing) grow();
                break;
            case QEvent::Resize:
                resized(static_cast<QResizeEvent*>(event)->size());
                break;
            case QEvent::Close:
                m_main.guard().run("Keep Window Size", [this] { keep(); });
                break;
            default:
                break;
            }
        }
        return false;
    }

private:
    void follow() {
        auto* frame = qobject_cast<QMdiSubWindow*>(m_window->parentWidget());
        if (frame == m_frame) return;
        if (m_frame) m_frame->removeEventFilter(this);
        m_frame = frame;
        if (m_frame) m_frame->installEventFilter(this);
    }

    void open() {
        m_kept = FrontEndSettings::WindowSize(m_main.paths(), m_window->objectName());
        m_growing = !m_kept.isValid();
        apply(m_growing ? m_frame->sizeHint() : m_kept);
        m_opened = true;
    }

    // A report that has been read may ask for more room than the empty one did.
    void grow() {
        if (!m_opened || m_frame->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) return;
        const QSize wanted = m_frame->sizeHint().expandedTo(m_frame->size());
        if (wanted != m_frame->size()) apply(wanted);
    }

    void apply(QSize size) {
        size = size.expandedTo(m_frame->minimumSizeHint());
        QMdiArea* area = m_frame->mdiArea();
        // A hidden area has no size of its own yet.
        const QSize room = area && area->isVisible() ? area->viewport()->size() : QSize();
        if (room.isValid()) size = size.boundedTo(room);
        m_sizing = true;
        m_frame->resize(size);
        if (room.isValid()) {
            const QRect placed = m_frame->geometry();
            m_frame->move(std::max(0, std::min(placed.x(), room.width() - placed.width())),
                          std::max(0, std::min(placed.y(), room.height() - placed.height())));
        }
        m_sizing = false;
    }

    void resized(const QSize& size) {
        if (!m_opened || m_sizing) return;
        // A maximized or minimized frame keeps the size the user gave it before.
        if (m_frame->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) return;
        m_given = size;
        m_growing = false;
    }

    void keep() {
        if (!m_given.isValid() || m_given == m_kept) return;
        FrontEndSettings::SaveWindowSize(m_main.paths(), m_window->objectName(), m_given);
        m_kept = m_given;
    }

    frmMain& m_main;
    QWidget* m_window;
    QPointer<QMdiSubWindow> m_frame;
    bool m_opened = false;  // the frame has been sized
    bool m_growing = false; // it follows its content until the user sizes it
    bool m_sizing = false;  // a resize of our own, not the user's
    QSize m_kept;           // the size zr.ini holds
    QSize m_given;          // the last size the user gave it
};

} // namespace

QWidget* keepChildWindowSize(frmMain& main, QWidget* window) {
    new SizeKeeper(main, window);
    return window;
}

} // namespace zr
