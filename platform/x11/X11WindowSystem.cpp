#include "x11/X11WindowSystem.h"

#include <algorithm>
#include <cstdint>
#include <map>

#include "x11/X11Connection.h"
#include "x11/X11ErrorTrap.h"
#include "x11/X11HostView.h"
#include "x11/X11TopLevelWindow.h"

namespace ui::x11 {

namespace {

class X11WindowSystem : public WindowSystem {
public:
    explicit X11WindowSystem(std::string displayName) : name(std::move(displayName)) {}

    ~X11WindowSystem() override {
        // The host views (and the child windows in them) go before the connection may.
        hostViews.clear();
    }

    // The X screen, as one screen. (Monitors inside it are not told apart.)
    std::optional<Screen> mainScreen() override {
        X11Connection* c = connection();
        if (c == nullptr) return std::nullopt;
        return Screen{Rect{0.0, 0.0, static_cast<double>(c->screenWidth()),
                           static_cast<double>(c->screenHeight())}};
    }

    std::shared_ptr<View> viewForHandle(void* handle) override {
        const auto id = reinterpret_cast<std::uintptr_t>(handle);
        // X resource ids are 29 bits; anything else is not a window id.
        if (id == 0 || id > 0x1fffffffu) return nullptr;
        forgetDestroyedHostViews();
        if (hostViews.contains(id)) {
            // The id may name a new window by now: once the host has destroyed its window, the
            // server hands the id out again (to the next connection that takes the old one's
            // place, typically the host's new one). The old window's end is then on its way to
            // us; a view kept for it would go when it arrives, taking the editor's child window
            // in the new window with it. Catch up with the server first.
            catchUp();
            const auto known = hostViews.find(id);
            if (known != hostViews.end()) return known->second;
        }
        X11Connection* c = connection();
        if (c == nullptr) return nullptr;
        XWindowAttributes attributes{};
        {
            X11ErrorTrap trap(c->display());
            const Status found =
                XGetWindowAttributes(c->display(), static_cast<::Window>(id), &attributes);
            if (trap.syncAndCheck() || found == 0) return nullptr;
        }
        auto view = std::make_shared<X11HostView>(
            conn, static_cast<::Window>(id),
            Size{static_cast<double>(attributes.width), static_cast<double>(attributes.height)},
            scale());
        hostViews.emplace(id, view);
        return view;
    }

    void setScale(double pixelsPerPoint) override {
        WindowSystem::setScale(pixelsPerPoint);
        for (const auto& [id, view] : hostViews) view->setScale(pixelsPerPoint);
    }

    // Xft.dpi from the resource database the server holds for this display (the root window's
    // RESOURCE_MANAGER as it stood when our connection opened), over the 96 dots of one point.
    std::optional<double> desktopScale() override {
        X11Connection* c = connection();
        if (c == nullptr) return std::nullopt;
        const std::optional<double> dpi = c->resourceNumber("Xft.dpi", "Xft.Dpi");
        if (!dpi) return std::nullopt;
        return *dpi / 96.0;
    }

    void processPendingEvents() override {
        // Before the first open, and after a failed one, there is nothing to pump.
        if (!conn) return;
        conn->processPendingEvents();
        forgetDestroyedHostViews();
    }

protected:
    std::unique_ptr<WindowBackend> makeWindowBackend(Rect contentRect) override {
        connection();
        return std::make_unique<X11TopLevelWindow>(conn, contentRect);
    }

private:
    X11Connection* connection() {
        if (!conn && !openFailed) {
            conn = X11Connection::open(name);
            openFailed = !conn;
        }
        return conn.get();
    }

    // Handles every event the server sent before now: a host window destroyed before the call
    // has been heard of when it returns, and its view is forgotten.
    void catchUp() {
        {
            X11ErrorTrap trap(conn->display());
            XSync(conn->display(), False);
        }
        conn->processPendingEvents();
        forgetDestroyedHostViews();
    }

    void forgetDestroyedHostViews() {
        std::erase_if(hostViews, [](const auto& entry) { return entry.second->isGone(); });
    }

    std::string name;
    std::shared_ptr<X11Connection> conn;
    bool openFailed = false;
    std::map<std::uintptr_t, std::shared_ptr<X11HostView>> hostViews;
};

}  // namespace

std::unique_ptr<WindowSystem> makeX11WindowSystem(const std::string& displayName) {
    return std::make_unique<X11WindowSystem>(displayName);
}

}  // namespace ui::x11
