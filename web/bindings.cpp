// The page's door to the core, declared once: every class, call, enumeration and value the page's
// JavaScript uses, with embind. Strings go out as copies (std::string), structures as plain
// objects, and pixels as views of the module's memory that the page uses at once (a view is
// stale once the memory grows).
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "dialog/announcer.h"
#include "dialog/fields.h"
#include "dialog/flow_session.h"
#include "dialog/input.h"
#include "dialog/languages.h"
#include "dialog/start_link.h"
#include "dialog/start_state.h"
#include "dialog/words.h"
#include "layout_json.h"
#include "page.h"
#include "res/ids.h"

using emscripten::val;

namespace {

val Bytes(const std::vector<uint32_t>& pixels)
{
    return val(emscripten::typed_memory_view(pixels.size() * 4,
                                             reinterpret_cast<const uint8_t*>(pixels.data())));
}

val Rect(const DeviceRect& r)
{
    val o = val::object();
    o.set("x", r.x);
    o.set("y", r.y);
    o.set("w", r.w);
    o.set("h", r.h);
    return o;
}

const char* FlowName(PictureFacts::Flow flow)
{
    switch (flow) {
    case PictureFacts::Flow::Attached: return "Attached";
    case PictureFacts::Flow::Separated: return "Separated";
    case PictureFacts::Flow::NoFan: return "NoFan";
    case PictureFacts::Flow::IntoTheFlow: return "IntoTheFlow";
    case PictureFacts::Flow::LeavesWall: return "LeavesWall";
    case PictureFacts::Flow::NotPhysical: return "NotPhysical";
    }
    return "NoFan";
}

val Items(const std::vector<MenuItem>& items)
{
    val out = val::array();
    for (const MenuItem& m : items) {
        val o = val::object();
        o.set("command", m.command);
        o.set("name", std::string(CommandName(m.command)));
        o.set("words", std::string(m.words));
        o.set("translated", m.translated);
        o.set("shortcut", std::string(m.shortcut ? m.shortcut : ""));
        o.set("checkable", m.checkable);
        o.set("checked", m.checked);
        o.set("separatorBefore", m.separatorBefore);
        out.call<void>("push", o);
    }
    return out;
}

// ---- The calls, as the page names them

std::string Layout() { return LayoutJson(); }

val ReadNumberOf(const std::string& text)
{
    const NumberReading r = FlowSession::ReadNumber(text);
    val o = val::object();
    o.set("value", r.value);
    o.set("ownForm", r.ownForm);
    return o;
}

val PictureKeys()
{
    val out = val::array();
    for (const KeyHelp& k : FlowSession::PictureKeys()) {
        val o = val::object();
        o.set("keys", std::string(k.keys));
        o.set("words", std::string(k.words));
        out.call<void>("push", o);
    }
    return out;
}

bool Open(Page& p, uint32_t seed, int scale, bool labels) { return p.Open(seed, scale, labels); }

std::string FieldText(const Page& p, int id) { return p.Session().FieldText(ControlId(id)); }
unsigned FieldVersion(const Page& p, int id) { return p.Session().FieldVersion(ControlId(id)); }
std::string FieldNote(const Page& p, int id) { return p.Session().FieldNote(ControlId(id)); }

void InputsLeft(Page& p) { p.Session().InputsLeft(); }
void TimerTicked(Page& p) { p.Session().TimerTicked(); }
void StepOnce(Page& p) { p.Session().StepOnce(); }
ShellAction KeyPressed(Page& p, const KeyEvent& key) { return p.Session().KeyPressed(key); }
ShellAction Choose(Page& p, Command command) { return p.Session().Choose(command); }
// A language chosen by its code from the table (Command::Language).
ShellAction ChooseLanguage(Page& p, const std::string& code)
{
    return p.Session().Choose(Command::Language, code);
}

// A language set without being chosen (the opening one): not kept.
void SetLanguage(Page& p, const std::string& code) { p.Session().SetLanguage(code); }

// The code of the language the page opens in: the address's ?lang=, else the one the user chose
// last, else the first of the browser's preferred languages (navigator.languages) the program
// speaks.
std::string OpeningLanguageOf(const Page& p, const std::string& asked, const val& preferred)
{
    std::vector<std::string> tags;
    const unsigned n = preferred["length"].as<unsigned>();
    for (unsigned i = 0; i < n; ++i)
        tags.push_back(preferred[i].as<std::string>());
    return OpeningLanguage(asked, p.Session().Kept().language, tags).code;
}

// [[name, value], ...] from the page's address, as the core's reader takes them.
std::vector<std::pair<std::string, std::string>> PairsOf(const val& pairs)
{
    std::vector<std::pair<std::string, std::string>> out;
    const unsigned n = pairs["length"].as<unsigned>();
    for (unsigned i = 0; i < n; ++i) {
        const val pair = pairs[i];
        out.emplace_back(pair[0].as<std::string>(), pair[1].as<std::string>());
    }
    return out;
}

val Strings(const std::vector<std::string>& texts)
{
    val out = val::array();
    for (const std::string& t : texts)
        out.call<void>("push", t);
    return out;
}

// The problems of the pairs left out: [{words, values}], the words in the program's Russian
// (the page translates them in the "Dialog" context and fills in the values, %1 the name).
val ProblemsOf(const std::vector<StartProblem>& problems)
{
    val out = val::array();
    for (const StartProblem& problem : problems) {
        val o = val::object();
        o.set("words", std::string(problem.words));
        o.set("values", Strings(problem.values));
        out.call<void>("push", o);
    }
    return out;
}

// What a start state asks of the page before the session opens: {seed, labels, lang} (each
// null when not given) and the problems of the pairs left out.
val ReadStartPairsOf(const val& pairs)
{
    std::vector<StartProblem> problems;
    const StartState s = ReadStartPairs(PairsOf(pairs), problems);
    val o = val::object();
    o.set("seed", s.seed ? val(*s.seed) : val::null());
    o.set("labels", s.labels ? val(*s.labels) : val::null());
    o.set("lang", s.language ? val(*s.language) : val::null());
    o.set("problems", ProblemsOf(problems));
    return o;
}

// The start state put into the opened session; the problems of the pairs left out.
val ApplyStartPairsOf(Page& p, const val& pairs)
{
    return ProblemsOf(ApplyStartPairs(p.Session(), PairsOf(pairs)));
}

// The pairs of a link to the state as it stands (dialog/start_link.h), with the seed, ticks
// and labels of the address the page was opened with: [[name, value], ...].
val LinkPairsOf(const Page& p, const val& opened)
{
    std::vector<StartProblem> problems;
    val out = val::array();
    for (const auto& [name, value] :
         StartLinkPairs(p.Session(), ReadStartPairs(PairsOf(opened), problems))) {
        val pair = val::array();
        pair.call<void>("push", name);
        pair.call<void>("push", value);
        out.call<void>("push", pair);
    }
    return out;
}

// The picture's description for a screen reader: [{words, values}] (words null for values
// said as they stand; see dialog/picture_description.h).
val SentencesOf(const std::vector<SpokenSentence>& sentences)
{
    val out = val::array();
    for (const SpokenSentence& s : sentences) {
        val o = val::object();
        o.set("words", s.words ? val(std::string(s.words)) : val::null());
        o.set("values", Strings(s.values));
        out.call<void>("push", o);
    }
    return out;
}

val DescribePictureOf(const Page& p) { return SentencesOf(p.Session().Description()); }

// The status line beside the picture: [{words, values}], as the description's.
val StatusOf(const Page& p) { return SentencesOf(p.Session().Status()); }

// The legend of what the picture draws now, a command named as the page's button: [{sample:
// "line"|"dots"|"disc"|"symbol"|"area", style, width, pen: [r, g, b],
// fill: [r, g, b], words}], the words in the program's Russian ("Legend" context).
val LegendItemsOf(const Page& p)
{
    static const char* const kSamples[] = {"line", "dots", "disc", "symbol", "area"};
    static const char* const kStyles[] = {"solid", "dash", "dot", "dashdot"};
    const auto rgb = [](Colour c) {
        val a = val::array();
        a.call<void>("push", int(c.r));
        a.call<void>("push", int(c.g));
        a.call<void>("push", int(c.b));
        return a;
    };
    val out = val::array();
    for (const LegendItem& i : p.Session().Legend(LegendShell::Page)) {
        val o = val::object();
        o.set("sample", std::string(kSamples[static_cast<int>(i.sample)]));
        o.set("style", std::string(kStyles[static_cast<int>(i.pen.style)]));
        o.set("width", i.pen.width);
        o.set("pen", rgb(i.pen.colour));
        o.set("fill", rgb(i.fill));
        o.set("words", std::string(i.words));
        out.call<void>("push", o);
    }
    return out;
}

// The sample of the legend's item at index, drawn by the core in the picture's own pen at scale
// device pixels per CSS pixel: {width, height (device pixels), pixels: Uint8ClampedArray of
// RGBA, a copy}, or null for a symbol's item or an index out of the legend.
val LegendSampleOf(const Page& p, int index, int scale)
{
    const std::vector<LegendItem> items = p.Session().Legend(LegendShell::Page);
    if (index < 0 || static_cast<size_t>(index) >= items.size())
        return val::null();
    FrameBuffer buffer;
    buffer.order = PixelOrder::Abgr;
    if (!DrawLegendSample(items[static_cast<size_t>(index)], buffer, scale))
        return val::null();
    val o = val::object();
    o.set("width", buffer.deviceWidth);
    o.set("height", buffer.deviceHeight);
    o.set("pixels", val::global("Uint8ClampedArray").new_(Bytes(buffer.pixels)));
    return o;
}

// Every word the shells share: {name: {context, words}}.
val WordsOf()
{
    val out = val::object();
    for (size_t i = 0; i < ShellWordCount(); ++i) {
        const ShellWord& w = ShellWords()[i];
        val o = val::object();
        o.set("context", std::string(w.context));
        o.set("words", std::string(w.words));
        out.set(std::string(w.name), o);
    }
    return out;
}
void Reset(Page& p) { p.Session().Reset(); }
void SetDisplaySize(Page& p, double w, double h) { p.Session().SetDisplaySize(w, h); }
void PointerPressed(Page& p, const PointerEvent& e) { p.Session().PointerPressed(e); }
void PointerMoved(Page& p, const PointerEvent& e) { p.Session().PointerMoved(e); }
void PointerReleased(Page& p, const PointerEvent& e) { p.Session().PointerReleased(e); }
void PointerCancelled(Page& p, const PointerEvent& e) { p.Session().PointerCancelled(e); }
bool Dragging(const Page& p) { return p.Session().Dragging(); }
ReadMark Mark(const Page& p) { return p.Session().Mark(); }
bool Paused(const Page& p) { return p.Session().Paused(); }
void SetPaused(Page& p, bool paused) { p.Session().SetPaused(paused); }
val PageTools(const Page& p) { return Items(p.Session().PageTools()); }
std::string PageLanguage(const Page& p) { return p.Session().Language(); }
std::string PictureFileName(const Page& p) { return p.Session().PictureFileName(); }
void SetFrameScale(Page& p, int scale) { p.Session().SetFrameScale(scale); }
int FrameScale(const Page& p) { return p.Session().FrameScale(); }
std::string BetaLabel(const Page& p) { return p.Session().BetaLabel(); }
std::string AlphaLabel(const Page& p) { return p.Session().AlphaLabel(); }
std::string ChiLabel(const Page& p) { return p.Session().ChiLabel(); }
// The gas: the list (code, name in Russian, formula; "other gas" last), the choice, the typed
// gamma and molar mass of "other gas" and their notes (the words in Russian, the value for %1).
val GasList()
{
    val out = val::array();
    const auto add = [&out](const char* code, const char* name, const char* formula) {
        val o = val::object();
        o.set("code", std::string(code));
        o.set("name", std::string(name));
        o.set("formula", std::string(formula));
        out.call<void>("push", o);
    };
    for (const Gas& gas : GasTable())
        add(gas.code, gas.name, gas.formula);
    add(kOtherGasCode, kOtherGasName, "");
    return out;
}
std::string GasOfPage(const Page& p) { return p.Session().Gas(); }
// The gas the user chose or typed (kept for the next visit when taken).
bool ChooseGas(Page& p, const std::string& code) { return p.Session().ChooseGas(code); }
bool ChooseGasValues(Page& p, const std::string& gamma, const std::string& molarMass)
{
    return p.Session().ChooseGasValues(gamma, molarMass);
}
double GasGamma(const Page& p) { return p.Session().State().gamma; }
double GasMolarMass(const Page& p) { return p.Session().State().molarMass; }
std::string GasGammaText(const Page& p) { return p.Session().GasGammaText(); }
std::string GasMolarMassText(const Page& p) { return p.Session().GasMolarMassText(); }
val GasNotes(const Page& p)
{
    val out = val::array();
    for (const GasNote& note : p.Session().GasNotes()) {
        val o = val::object();
        o.set("words", std::string(note.words));
        o.set("value", note.value);
        out.call<void>("push", o);
    }
    return out;
}

double BodyAngle(const Page& p) { return p.Session().BodyAngle(); }
void SetBodyAngle(Page& p, double beta) { p.Session().SetBodyAngle(beta); }
bool ExactTheory(const Page& p) { return p.Session().ExactTheory(); }
// The flow the picture follows: "model" or "exact".
std::string PhysicsShown(const Page& p) { return PhysicsName(p.Session().PhysicsShown()); }
int TracerCount(const Page& p) { return p.Session().Field().tracers.count; }

val Facts(const Page& p)
{
    const PictureFacts f = p.Session().Facts();
    val o = val::object();
    o.set("flow", std::string(FlowName(f.flow)));
    o.set("turn", f.turnDegrees);
    o.set("span", f.spanDegrees);
    return o;
}

val WallSlider(const Page& p)
{
    const FlowSession::Slider s = p.Session().WallSlider();
    val o = val::object();
    o.set("value", s.value);
    o.set("min", s.min);
    o.set("max", s.max);
    o.set("beta", s.beta);
    o.set("turn", s.turn);
    o.set("words", std::string(s.words)); // the value in words: %1 beta, %2 the turn
    return o;
}

// The layers' sizes and what changed since the last call; the pixels are read with the views
// below, at once.
val PrepareLayers(Page& p)
{
    const Page::LayerChanges c = p.PrepareLayers();
    const FrameLayers& l = p.Session().Layers();
    val o = val::object();
    o.set("staticChanged", c.staticChanged);
    o.set("marker", Rect(c.marker));
    o.set("deviceWidth", l.below ? l.below->deviceWidth : 0);
    o.set("deviceHeight", l.below ? l.below->deviceHeight : 0);
    o.set("width", l.tracers.deviceWidth);
    o.set("height", l.tracers.deviceHeight);
    o.set("scale", l.below ? l.below->scale : 1);
    return o;
}

val BelowPixels(Page& p) { return Bytes(p.Below()); }
val AbovePixels(Page& p) { return Bytes(p.Above()); }
val TracerPixels(Page& p) { return Bytes(p.Tracers()); }
val MarkerPixels(Page& p) { return Bytes(p.Marker()); }
val Rects(std::vector<int32_t>& rects)
{
    return val(emscripten::typed_memory_view(rects.size(), rects.data()));
}
val BelowRects(Page& p) { return Rects(p.BelowRects()); }
val AboveRects(Page& p) { return Rects(p.AboveRects()); }

// The whole frame composed now: {width, height, scale, rgba} with rgba a view of its bytes.
val Frame(Page& p)
{
    std::vector<uint32_t>& pixels = p.FramePixels();
    const FrameBuffer& f = p.Session().Frame();
    val o = val::object();
    o.set("width", f.deviceWidth);
    o.set("height", f.deviceHeight);
    o.set("scale", f.scale);
    o.set("rgba", Bytes(pixels));
    return o;
}

// ---- The plot of the state through the fan

const char* QuantityName(Quantity q)
{
    switch (q) {
    case Quantity::Mach: return "mach";
    case Quantity::Pressure: return "pressure";
    case Quantity::Temperature: return "temperature";
    case Quantity::Density: return "density";
    case Quantity::Speed: return "speed";
    }
    return "";
}

// Each quantity as the plot draws it, in the plot's order: {name, ratio, symbol, colour, bit},
// the colour as a CSS colour.
val QuantityLooks()
{
    val out = val::array();
    for (int q = 0; q < kQuantityCount; ++q) {
        const QuantityLook& look = FlowSession::PlotLook(static_cast<Quantity>(q));
        val o = val::object();
        o.set("name", std::string(QuantityName(static_cast<Quantity>(q))));
        o.set("ratio", std::string(look.ratio));
        o.set("symbol", std::string(look.symbol));
        o.set("colour", "rgb(" + std::to_string(look.colour.r) + ", "
                            + std::to_string(look.colour.g) + ", " + std::to_string(look.colour.b)
                            + ")");
        o.set("bit", QuantityBit(static_cast<Quantity>(q)));
        out.call<void>("push", o);
    }
    return out;
}

void SetPlotSize(Page& p, double w, double h, double ratio)
{
    p.Session().SetPlotSize(w, h, ratio);
}
// The quantities the user ticked (kept for the next visit).
void ChoosePlotQuantities(Page& p, unsigned shown) { p.Session().ChoosePlotQuantities(shown); }
unsigned PlotQuantities(const Page& p) { return p.Session().PlotQuantities(); }
double PlotCount(const Page& p) { return static_cast<double>(p.Session().PlotCount()); }
bool PlotOpen(const Page& p) { return p.Session().PlotOpen(); }
void SetPlotOpen(Page& p, bool open) { p.Session().SetPlotOpen(open); }
// Whether the user's last choice of the plot is kept (else the page opens it by its layout).
bool PlotOpenKept(const Page& p) { return p.Session().Kept().plotOpen.has_value(); }
std::string ProfileCsvOf(const Page& p) { return p.Session().ProfileCsv(); }
std::string PlotFileName(const Page& p) { return p.Session().PlotFileName(); }
std::string ProfileFileName(const Page& p) { return p.Session().ProfileFileName(); }

// The plot's words in the page's language: translate(source) gives each word's translation of
// its Russian (the "Plot" context); a word it gives no text for stays Russian.
void SetPlotWords(Page& p, const val& translate)
{
    p.Session().SetPlotWords(PlotWords::Translated([&translate](const char* source) {
        const val t = translate(std::string(source));
        return t.isString() ? t.as<std::string>() : std::string(source);
    }));
}

// What a screen reader calls the plot, in the words last given.
std::string PlotName(const Page& p)
{
    return p.Session().PlotWordsShown()[PlotWord::AccessibleName];
}

// What the model under the plot is, in the words last given.
std::string PlotNote(const Page& p) { return p.Session().PlotWordsShown()[PlotWord::ModelNote]; }

// The plot's description: {words, values}, the words in the program's Russian (the page
// translates them, then fills in the values with fillWords).
val PlotFacts(const Page& p)
{
    const PlotDescription d = p.Session().PlotFacts();
    val o = val::object();
    o.set("words", std::string(PlotWordSource(d.words)));
    val values = val::array();
    for (const std::string& v : d.values)
        values.call<void>("push", v);
    o.set("values", values);
    return o;
}

// The last plot: {width, height, scale, deviceWidth, deviceHeight, rgba} with rgba a view of
// its bytes; width and height 0 before the first plot.
val Plot(Page& p)
{
    const FrameBuffer& f = p.Session().PlotFrame();
    int firstRow = 0, endRow = 0;
    const std::vector<uint32_t>& pixels = p.PlotPixels(firstRow, endRow);
    val o = val::object();
    o.set("firstRow", firstRow); // the rows that changed since the last call
    o.set("endRow", endRow);
    o.set("width", f.width);
    o.set("height", f.height);
    o.set("scale", f.scale);
    o.set("deviceWidth", f.deviceWidth);
    o.set("deviceHeight", f.deviceHeight);
    o.set("rgba", Bytes(pixels));
    return o;
}

// A copy of the whole plot, apart from what the canvas was given: {deviceWidth, deviceHeight,
// rgba}.
val PlotComposed(Page& p)
{
    const FrameBuffer& f = p.Session().PlotFrame();
    val o = val::object();
    o.set("deviceWidth", f.deviceWidth);
    o.set("deviceHeight", f.deviceHeight);
    o.set("rgba", Bytes(p.PlotComposed()));
    return o;
}

// ---- Texts the session finished in the page's language (dialog/session_words.cpp): the page
// shows them as they are and fills nothing.
std::string StatusTextOf(const Page& p) { return p.Session().StatusText(); }
std::string DescriptionTextOf(const Page& p) { return p.Session().DescriptionText(); }
std::string WallSliderTextOf(const Page& p) { return p.Session().WallSliderText(); }
std::string FieldNameOf(const Page& p, int id) { return p.Session().FieldName(ControlId(id)); }
std::string FieldNoteTextOf(const Page& p, int id)
{
    return p.Session().FieldNoteText(ControlId(id));
}
std::string GasNoteOf(const Page& p) { return p.Session().GasNote(); }
std::string PlotFactsTextOf(const Page& p) { return p.Session().PlotFactsText(); }
// A word of the program in a language of the table (the program's own for another code), its
// values filled in.
std::string TrOf(const std::string& code, const std::string& context, const std::string& source,
                 const val& values)
{
    std::vector<std::string> texts;
    const unsigned n = values.isUndefined() ? 0 : values["length"].as<unsigned>();
    for (unsigned i = 0; i < n; ++i)
        texts.push_back(values[i].as<std::string>());
    const Language* row = FindLanguage(code);
    return TranslateFilled(row ? *row : SourceLanguage(), context.c_str(), source.c_str(), texts);
}
// The translation of a source in a language of the table, or null where it has none.
val TranslateOf(const std::string& code, const std::string& context, const std::string& source)
{
    const Language* row = FindLanguage(code);
    const char* words = row ? FindTranslation(*row, context.c_str(), source.c_str()) : nullptr;
    return words ? val(std::string(words)) : val::null();
}
// Every language of the table, Russian first, as the language box lists them: [{code, name,
// tag}] (the code for the address and the remembered choice, the language's own name, the lang
// attribute).
val LanguageRows()
{
    val out = val::array();
    for (const Language* row = LanguagesBegin(); row != LanguagesEnd(); ++row) {
        val o = val::object();
        o.set("code", std::string(row->code));
        o.set("name", std::string(row->name));
        o.set("tag", std::string(row->tag));
        out.call<void>("push", o);
    }
    return out;
}
// [{code, name}] as the list shows them, and the list's and its two fields' names.
val GasItemsOf(const Page& p)
{
    val out = val::array();
    for (const FlowSession::GasItem& g : p.Session().GasItems()) {
        val o = val::object();
        o.set("code", g.code);
        o.set("name", g.name);
        out.call<void>("push", o);
    }
    return out;
}
val GasNamesOf(const Page& p)
{
    val o = val::object();
    o.set("choice", p.Session().GasChoiceName());
    o.set("gamma", p.Session().GasGammaName());
    o.set("molarMass", p.Session().GasMolarMassName());
    return o;
}
// {caption, texts: {control id: text}, physics, guide, keysTitle}.
val AboutOf(const Page& p)
{
    const AboutWords about = p.Session().About(AboutShell::Page);
    val o = val::object();
    o.set("caption", about.caption);
    val texts = val::object();
    for (const AboutText& t : about.texts)
        texts.set(std::to_string(ToInt(t.id)), t.text);
    o.set("texts", texts);
    o.set("physics", about.physics);
    o.set("guide", about.guide);
    o.set("keysTitle", about.keysTitle);
    return o;
}

} // namespace

// The input's terms: keys, pointers, commands and what is left to the shell, and the announcer.
EMSCRIPTEN_BINDINGS(cornerflow_input)
{
    using namespace emscripten;

    enum_<Key>("Key")
        .value("Left", Key::Left)
        .value("Right", Key::Right)
        .value("Up", Key::Up)
        .value("Down", Key::Down)
        .value("PageUp", Key::PageUp)
        .value("PageDown", Key::PageDown)
        .value("Home", Key::Home)
        .value("End", Key::End)
        .value("Space", Key::Space)
        .value("Period", Key::Period)
        .value("F", Key::F)
        .value("E", Key::E)
        .value("Other", Key::Other);
    enum_<PointerKind>("PointerKind")
        .value("Mouse", PointerKind::Mouse)
        .value("Touch", PointerKind::Touch)
        .value("Pen", PointerKind::Pen);
    // Both from the one list in dialog/input.h.
    {
        auto commands = enum_<Command>("Command");
#define CORNERFLOW_BIND(name, shortName) commands.value(#name, Command::name);
        CORNERFLOW_COMMANDS(CORNERFLOW_BIND)
#undef CORNERFLOW_BIND
        auto actions = enum_<ShellAction>("ShellAction");
#define CORNERFLOW_BIND(name) actions.value(#name, ShellAction::name);
        CORNERFLOW_SHELL_ACTIONS(CORNERFLOW_BIND)
#undef CORNERFLOW_BIND
    }

    value_object<KeyEvent>("KeyEvent")
        .field("key", &KeyEvent::key)
        .field("shift", &KeyEvent::shift)
        .field("control", &KeyEvent::control)
        .field("alt", &KeyEvent::alt)
        .field("meta", &KeyEvent::meta)
        .field("repeat", &KeyEvent::repeat);
    value_object<PointerEvent>("PointerEvent")
        .field("x", &PointerEvent::x)
        .field("y", &PointerEvent::y)
        .field("kind", &PointerEvent::kind)
        .field("id", &PointerEvent::id)
        .field("mainButton", &PointerEvent::mainButton);
    value_object<ReadMark>("ReadMark")
        .field("shown", &ReadMark::shown)
        .field("x", &ReadMark::x)
        .field("y", &ReadMark::y);

    class_<Announcer>("Announcer")
        .constructor<>()
        .function("changed", &Announcer::Changed)
        .function("settle", &Announcer::Settle)
        .function("waiting", &Announcer::Waiting)
        .function("dueMs", &Announcer::DueMs);
}

// The page's session: a table of the names the page calls and what each is.
EMSCRIPTEN_BINDINGS(cornerflow_page)
{
    using namespace emscripten;

    class_<Page>("Page")
        .constructor<>()
        .class_function("layout", &Layout)
        .class_function("frameScaleFor", &FlowSession::FrameScaleFor)
        .class_function("readNumber", &ReadNumberOf)
        .class_function("formatReadValue", &FormatReadValue)
        .class_function("pictureKeys", &PictureKeys)
        .class_function("quantityLooks", &QuantityLooks)
        .class_function("readStartPairs", &ReadStartPairsOf)
        .class_function("words", &WordsOf)
        .class_function("languages", &LanguageRows)
        .class_function("translate", &TranslateOf)
        .class_function("tr", &TrOf)
        .class_function("gasList", &GasList)
        .function("openingLanguage", &OpeningLanguageOf)
        .function("setLanguage", &SetLanguage)
        .function("open", &Open)
        .function("fieldText", &FieldText)
        .function("fieldVersion", &FieldVersion)
        .function("fieldNote", &FieldNote)
        .function("fieldName", &FieldNameOf)
        .function("fieldNoteText", &FieldNoteTextOf)
        .function("statusText", &StatusTextOf)
        .function("descriptionText", &DescriptionTextOf)
        .function("wallSliderText", &WallSliderTextOf)
        .function("gasNote", &GasNoteOf)
        .function("plotFactsText", &PlotFactsTextOf)
        .function("gasItems", &GasItemsOf)
        .function("gasNames", &GasNamesOf)
        .function("about", &AboutOf)
        .function("setInputText", &Page::SetInputText)
        .function("renderLabelsAhead", &Page::RenderLabelsAhead)
        .function("textsRendered", &Page::TextsRendered)
        .function("inputsLeft", &InputsLeft)
        .function("reset", &Reset)
        .function("setDisplaySize", &SetDisplaySize)
        .function("pointerPressed", &PointerPressed)
        .function("pointerMoved", &PointerMoved)
        .function("pointerReleased", &PointerReleased)
        .function("pointerCancelled", &PointerCancelled)
        .function("dragging", &Dragging)
        .function("mark", &Mark)
        .function("keyPressed", &KeyPressed)
        .function("timerTicked", &TimerTicked)
        .function("stepOnce", &StepOnce)
        .function("ticks", &Page::Ticks)
        .function("paused", &Paused)
        .function("setPaused", &SetPaused)
        .function("pageTools", &PageTools)
        .function("choose", &Choose)
        .function("chooseLanguage", &ChooseLanguage)
        .function("applyStartPairs", &ApplyStartPairsOf)
        .function("linkPairs", &LinkPairsOf)
        .function("describePicture", &DescribePictureOf)
        .function("status", &StatusOf)
        .function("legend", &LegendItemsOf)
        .function("legendSample", &LegendSampleOf)
        .function("language", &PageLanguage)
        .function("pictureFileName", &PictureFileName)
        .function("setFrameScale", &SetFrameScale)
        .function("frameScale", &FrameScale)
        .function("facts", &Facts)
        .function("wallSlider", &WallSlider)
        .function("betaLabel", &BetaLabel)
        .function("alphaLabel", &AlphaLabel)
        .function("chiLabel", &ChiLabel)
        .function("gas", &GasOfPage)
        .function("chooseGas", &ChooseGas)
        .function("chooseGasValues", &ChooseGasValues)
        .function("gasGamma", &GasGamma)
        .function("gasMolarMass", &GasMolarMass)
        .function("gasGammaText", &GasGammaText)
        .function("gasMolarMassText", &GasMolarMassText)
        .function("gasNotes", &GasNotes)
        .function("bodyAngle", &BodyAngle)
        .function("setBodyAngle", &SetBodyAngle)
        .function("exactTheory", &ExactTheory)
        .function("physicsShown", &PhysicsShown)
        .function("fieldsSerial", &Page::FieldsSerial)
        .function("frameSerial", &Page::FrameSerial)
        .function("tracerCount", &TracerCount)
        .function("prepareLayers", &PrepareLayers)
        .function("belowPixels", &BelowPixels)
        .function("abovePixels", &AbovePixels)
        .function("tracerPixels", &TracerPixels)
        .function("markerPixels", &MarkerPixels)
        .function("belowRects", &BelowRects)
        .function("aboveRects", &AboveRects)
        .function("frame", &Frame)
        .function("setPlotSize", &SetPlotSize)
        .function("choosePlotQuantities", &ChoosePlotQuantities)
        .function("plotQuantities", &PlotQuantities)
        .function("setPlotWords", &SetPlotWords)
        .function("plotCount", &PlotCount)
        .function("plotOpen", &PlotOpen)
        .function("setPlotOpen", &SetPlotOpen)
        .function("plotOpenKept", &PlotOpenKept)
        .function("plotName", &PlotName)
        .function("plotNote", &PlotNote)
        .function("plotFacts", &PlotFacts)
        .function("plot", &Plot)
        .function("plotComposed", &PlotComposed)
        .function("profileCsv", &ProfileCsvOf)
        .function("plotFileName", &PlotFileName)
        .function("profileFileName", &ProfileFileName);
}
