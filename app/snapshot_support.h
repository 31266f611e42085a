#pragma once
// What the snapshot modes and the windows share: the seed clock, running without a display, and
// writing a file so that a failure leaves the target untouched, with the words that say why.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QGuiApplication;
class QSaveFile;

class QImage;
class QString;

// Milliseconds of a monotonic clock, the picture's default random seed.
uint32_t TickCount();

// Without a display that answers (none set, or one that does not listen) and no platform
// chosen, selects the offscreen platform, so the snapshot modes work over SSH and in CI. Call
// before the application object is made.
void UseOffscreenWithoutDisplay();

// Why a picture could not be written.
enum class SaveProblem {
    None,
    NoFolder,     // the folder it was to go into does not exist
    NoPermission, // the folder or the file may not be written
    NoSpace,      // the disk is full
    Other,
};

// Writes image as a PNG to path through a temporary file that replaces the target only when
// complete; false, with the reason, when it could not (the target is then untouched). detail
// gets the system's own words for it.
bool WritePng(const QImage& image, const std::string& path, SaveProblem* problem,
              QString* detail = nullptr);
// The same for the bytes of a text (a CSV table).
bool WriteText(const std::string& text, const std::string& path, SaveProblem* problem,
               QString* detail = nullptr);

// Why a file could not be written, and the message that says so for path with that reason
// (nothing was changed), in the user's language (the "Dialog" context).
QString SaveProblemWords(SaveProblem problem);
QString NotWrittenWords(const QString& path, const QString& reason);

// The folder a save dialog offers first: the user's folder of that kind (Pictures, Documents)
// where there is one, else the home folder (never the working folder).
QString OfferedSaveFolder(int standardLocation);

// The GUI application fonts need, for a mode without a window (none when one exists already);
// without a display the offscreen platform serves.
std::unique_ptr<QGuiApplication> MakeGuiApplication();
// The same for the command line: the exit status, 0, or 1 after one line on stderr naming the
// path.
int SavePng(const QImage& image, const std::string& path);
int SaveText(const std::string& text, const std::string& path);
