#include "shell/app_icons.h"

// Resources of a static library are not registered unless something references them.
static void initAppResources() {
    Q_INIT_RESOURCE(app);
}

namespace vrx {

namespace {

struct IconSource {
    const char *themeName; // empty: no standard theme icon fits
    const char *resource;
};

IconSource sourceOf(AppIcon icon) {
    switch (icon) {
    case AppIcon::New:
        return {"document-new", ":/icons/new.png"};
    case AppIcon::Open:
        return {"document-open", ":/icons/open.png"};
    case AppIcon::Save:
        return {"document-save", ":/icons/save.png"};
    case AppIcon::Exit:
        return {"application-exit", ":/icons/exit.png"};
    case AppIcon::Read:
        return {"", ":/icons/read.png"};
    case AppIcon::Write:
        return {"", ":/icons/write.png"};
    case AppIcon::Channels:
        return {"", ":/icons/channels.png"};
    case AppIcon::Options:
        return {"", ":/icons/options.png"};
    case AppIcon::Ok:
        return {"dialog-ok", ":/icons/ok.png"};
    case AppIcon::App:
        return {"", ":/icons/app.png"};
    }
    return {"", ""};
}

void ensureResources() {
    static const bool done = [] {
        initAppResources();
        return true;
    }();
    Q_UNUSED(done);
}

} // namespace

QIcon appIcon(AppIcon icon) {
    ensureResources();
    const IconSource source = sourceOf(icon);
    const QIcon own(QString::fromLatin1(source.resource));
    if (*source.themeName == '\0')
        return own;
    return QIcon::fromTheme(QString::fromLatin1(source.themeName), own);
}

QPixmap radioPicture() {
    ensureResources();
    return QPixmap(QStringLiteral(":/icons/radio.png"));
}

} // namespace vrx
