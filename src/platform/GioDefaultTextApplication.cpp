#include "platform/GioDefaultTextApplication.h"

#include "platform/NativePath.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QList>

// GIO's headers use "signals" as a field name, which Qt defines as a keyword.
#undef signals
#include <gio/gio.h>

namespace zorvane {

namespace {

constexpr char plainText[] = "text/plain";
// The name this program's desktop entry is installed under.
constexpr char ownDesktopEntry[] = "zorvane.desktop";

// Whether `application` is this program: by its desktop entry, or by a command that names this
// very program file (a build run beside an installed copy).
bool isThisProgram(GAppInfo* application) {
    const char* id = g_app_info_get_id(application);
    if (id && qstrcmp(id, ownDesktopEntry) == 0)
        return true;
    const char* executable = g_app_info_get_executable(application);
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
    ApplicationChoice() = default;
    ApplicationChoice(const ApplicationChoice&) = delete;
    ApplicationChoice& operator=(const ApplicationChoice&) = delete;
    ~ApplicationChoice() {
        for (GAppInfo* application : applications_)
            g_object_unref(application);
    }

    void addFor(const char* contentType) {
        add(g_app_info_get_default_for_type(contentType, FALSE));
        GList* all = g_app_info_get_all_for_type(contentType);
        for (GList* entry = all; entry; entry = entry->next)
            add(G_APP_INFO(entry->data));
        g_list_free(all);
    }

    const QList<GAppInfo*>& applications() const { return applications_; }

private:
    // Takes over the reference to `application`.
    void add(GAppInfo* application) {
        if (!application)
            return;
        for (GAppInfo* known : applications_) {
            if (g_app_info_equal(known, application)) {
                g_object_unref(application);
                return;
            }
        }
        applications_.append(application);
    }

    QList<GAppInfo*> applications_;
};

} // namespace

bool GioDefaultTextApplication::startOn(const QString& file) {
    const QByteArray native = file.isEmpty() ? QByteArray() : nativePath(file);
    ApplicationChoice choice;
    if (!native.isEmpty()) {
        gchar* name = g_path_get_basename(native.constData());
        gboolean uncertain = FALSE;
        gchar* contentType = g_content_type_guess(name, nullptr, 0, &uncertain);
        if (contentType && g_content_type_is_a(contentType, plainText))
            choice.addFor(contentType);
        g_free(contentType);
        g_free(name);
    }
    choice.addFor(plainText);

    GList* files = nullptr;
    if (!native.isEmpty())
        files = g_list_append(files, g_file_new_for_path(native.constData()));
    bool started = false;
    for (GAppInfo* application : choice.applications()) {
        if (isThisProgram(application))
            continue;
        // An application that takes no file would start without the one the user meant.
        if (files && !g_app_info_supports_files(application) &&
            !g_app_info_supports_uris(application))
            continue;
        GError* error = nullptr;
        started = g_app_info_launch(application, files, nullptr, &error);
        g_clear_error(&error);
        if (started)
            break;
    }
    g_list_free_full(files, g_object_unref);
    return started;
}

} // namespace zorvane
