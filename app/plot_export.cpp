// cornerflow --plot FILE.png and --profile-csv FILE.csv: the state through the fan as a picture
// and as a table, without a window. With --no-labels the plot has no text, so that it can be
// compared pixel for pixel with the page's, whose text is drawn with other fonts.
#include <memory>
#include <string>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <QTranslator>

#include "app/modes.h"
#include "app/session_start.h"
#include "app/snapshot_support.h"
#include "dialog/flow_session.h"
#include "dialog/languages.h"
#include "platform/image_dc.h"

namespace {

// The window's start-up at the picture's own size, then the inputs and the wall.
void OpenAsTheWindow(FlowSession& session, const Options& options)
{
    session.Open(kStartValues.width, kStartValues.height, 0);
    ApplyOptions(session, options);
}

} // namespace

int RunPlot(const Options& options)
{
    const std::unique_ptr<QGuiApplication> app = MakeGuiApplication();
    // The plot's words in the language asked for (the program's own without --lang).
    const Language* language = FindLanguage(options.lang);
    if (!language)
        language = &SourceLanguage();

    FlowSession session;
    UseModeDrawing(session, options.labels);
    OpenAsTheWindow(session, options);
    session.SetPlotWords(PlotWords::Translated([language](const char* source) {
        return std::string(Translate(*language, "Plot", source));
    }));
    if (!options.probes.empty()) {
        // The pointer over that point of the picture: the probe, and with it the cursor.
        PointerEvent e;
        e.x = options.probes.front().x;
        e.y = options.probes.front().y;
        e.mainButton = false;
        session.PointerMoved(e);
    }
    // The plot at its default size, or at --size.
    session.SetPlotSize(options.sizeGiven ? options.width : kStartValues.width,
                        options.sizeGiven ? options.height : kStartValues.height, 1.0);
    return SavePng(ImageCopyOf(session.PlotFrame()), options.file);
}

int RunProfileCsv(const Options& options)
{
    FlowSession session;
    OpenAsTheWindow(session, options);
    return SaveText(session.ProfileCsv(), options.file);
}
