#include "platform/GioDefaultTextApplication.h"

#include "platform/NativePath.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include "platform/GioLibrary.h"

namespace zorvane {

namespace {

constexpr char plainText[] = "text/plain";
// The name this program's desktop entry is installed under.
constexpr char ownDesktopEntry[] = "zorvane.desktop";

// Whether `application` is this program: by its desktop entry, or by a command that names this
// very program file (a build run beside an installed copy).
bool isThisProgram(const GioLibrary& gio, GAppInfo* application) {
    const char* id = gio.appInfoGetId(application);
    if (id && qstrcmp(id, ownDesktopEntry) == 0)
        return true;
    const char* executable = gio.appInfoGetExecutable(application);
    if (!executable || !*executable)
        return false;
    gchar* found = g_find_program_in_path(executable);
    if (!found)
        return false;
    const QString path = QFileInfo(QFile::decodeName(found)).canonicalFilePath();
    g_free(found);
    return !path.isEmpty() &&
           path == QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
}

// The applications for one kind of file, the desktop's default first, each once; the list
// holds a reference to each.
class ApplicationChoice {
public:
    explicit ApplicationChoice(const GioLibrary& gio) : gio_(gio) {}
    ApplicationChoice(const ApplicationChoice&) = delete;
    ApplicationChoice& operator=(const ApplicationChoice&) = delete;
    ~ApplicationChoice() {
        for (GAppInfo* application : applications_)
            gio_.objectUnref(application);
    }

    void addFor(const char* contentType) {
        add(gio_.appInfoGetDefaultForType(contentType, FALSE));
        GList* all = gio_.appInfoGetAllForType(contentType);
        for (GList* entry = all; entry; entry = entry->next)
            add(static_cast<GAppInfo*>(entry->data));
        g_list_free(all);
    }

    const QList<GAppInfo*>& applications() const { return applications_; }

private:
    // Takes over the reference to `application`.
    void add(GAppInfo* application) {
        if (!application)
            return;
        for (GAppInfo* known : applications_) {
            if (gio_.appInfoEqual(known, application)) {
                gio_.objectUnref(application);
                return;
            }
        }
        applications_.append(application);
    }

    const GioLibrary& gio_;
    QList<GAppInfo*> applications_;
};

} // namespace

bool GioDefaultTextApplication::startOn(const QString& file) {
    const GioLibrary* library = GioLibrary::get();
    if (!library)
        return false;
    const GioLibrary& gio = *library;
    const QByteArray native = file.isEmpty() ? QByteArray() : nativePath(file);
    ApplicationChoice choice(gio);
    if (!native.isEmpty()) {
        gchar* name = g_path_get_basename(native.constData());
        gboolean uncertain = FALSE;
        gchar* contentType = gio.contentTypeGuess(name, nullptr, 0, &uncertain);
        if (contentType && gio.contentTypeIsA(contentType, plainText))
            choice.addFor(contentType);
        g_free(contentType);
        g_free(name);
    }
    choice.addFor(plainText);

    GList* files = nullptr;
    if (!native.isEmpty())
        files = g_list_append(files, gio.fileNewForPath(native.constData()));
    bool started = false;
    for (GAppInfo* application : choice.applications()) {
        if (isThisProgram(gio, application))
            continue;
        // An application that takes no file would start without the one the user meant.
        if (files && !gio.appInfoSupportsFiles(application) &&
            !gio.appInfoSupportsUris(application))
            continue;
        GError* error = nullptr;
        started = gio.appInfoLaunch(application, files, nullptr, &error);
        g_clear_error(&error);
        if (started)
            break;
    }
    g_list_free_full(files, gio.objectUnref);
    return started;
}

} // namespace zorvane
