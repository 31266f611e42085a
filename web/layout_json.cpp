#include "layout_json.h"

#include <cstdio>
#include <string>

#include "dialog/announcer.h"
#include "dialog/fields.h"
#include "dialog/flow_session.h"
#include "dialog/languages.h"
#include "draw/frame_buffer.h"
#include "res/dialog_templates.h"
#include "res/ids.h"
#include "web_images.h"

#ifndef CORNERFLOW_VERSION
#error "CORNERFLOW_VERSION must be defined by the build"
#endif

namespace {

void AppendJsonString(std::string& out, const char* s)
{
    out += '"';
    for (const char* p = s; p && *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
}

void AppendMember(std::string& out, const char* name, const char* value)
{
    out += ",\"";
    out += name;
    out += "\":";
    AppendJsonString(out, value);
}

const char* KindName(res::ControlKind kind)
{
    switch (kind) {
    case res::ControlKind::View: return "View";
    case res::ControlKind::InputField: return "InputField";
    case res::ControlKind::ReadOnlyField: return "ReadOnlyField";
    case res::ControlKind::LabelImage: return "LabelImage";
    case res::ControlKind::DefaultButton: return "DefaultButton";
    case res::ControlKind::IconImage: return "IconImage";
    case res::ControlKind::TextCentred: return "TextCentred";
    case res::ControlKind::TextLeft: return "TextLeft";
    case res::ControlKind::Choice: return "Choice";
    case res::ControlKind::GasField: return "GasField";
    }
    return "";
}

const char* ImageName(ImageId image)
{
    switch (image) {
    case ImageId::None: return "";
    case ImageId::UpstreamNames: return "UpstreamNames";
    case ImageId::UpstreamUnits: return "UpstreamUnits";
    case ImageId::CriticalNames: return "CriticalNames";
    case ImageId::CriticalUnits: return "CriticalUnits";
    case ImageId::ProbeNames: return "ProbeNames";
    case ImageId::ProbeUnits: return "ProbeUnits";
    case ImageId::VelocityNames: return "VelocityNames";
    case ImageId::VelocityUnits: return "VelocityUnits";
    case ImageId::AppIcon: return "AppIcon";
    }
    return "";
}

// The image with the units of the fields a names image names.
ImageId UnitsImageOf(ImageId names)
{
    switch (names) {
    case ImageId::UpstreamNames: return ImageId::UpstreamUnits;
    case ImageId::CriticalNames: return ImageId::CriticalUnits;
    case ImageId::ProbeNames: return ImageId::ProbeUnits;
    case ImageId::VelocityNames: return ImageId::VelocityUnits;
    default: return ImageId::None;
    }
}

// The image of a resource path as SVG text, or nullptr.
const char* ImageSvg(const char* resourcePath)
{
    if (!resourcePath)
        return nullptr;
    const std::string path(resourcePath);
    const std::string name = path.substr(path.find_last_of('/') + 1);
    for (size_t i = 0; i < kWebImageCount; ++i)
        if (name == kWebImages[i].name)
            return kWebImages[i].svg;
    return nullptr;
}

// An SVG text without its comments, each with the line end after it: a label made for a
// language says so in a comment line of its own.
std::string Drawing(const char* svg)
{
    std::string text(svg);
    for (size_t open = text.find("<!--"); open != std::string::npos;
         open = text.find("<!--", open)) {
        size_t close = text.find("-->", open);
        close = close == std::string::npos ? text.size() : close + 3;
        if (close < text.size() && text[close] == '\n')
            ++close;
        text.erase(open, close - open);
    }
    return text;
}

// "svgs": the label in every other language of the table whose drawing is not the Russian one,
// by the language's code, so the page finds a language's label from the table alone.
void AppendLabelTwins(std::string& out, ImageId image, const char* russian)
{
    if (!russian)
        return;
    const std::string own = Drawing(russian);
    std::string twins;
    for (const Language* l = LanguagesBegin(); l != LanguagesEnd(); ++l) {
        const char* svg = ImageSvg(res::LabelPath(image, l->code).c_str());
        if (l == &SourceLanguage() || !svg || Drawing(svg) == own)
            continue;
        twins += twins.empty() ? "{" : ",";
        AppendJsonString(twins, l->code);
        twins += ':';
        AppendJsonString(twins, svg);
    }
    if (!twins.empty())
        out += ",\"svgs\":" + twins + "}";
}

void AppendRect(std::string& out, const res::PixelRect& r)
{
    out += "\"x\":" + std::to_string(r.x) + ",\"y\":" + std::to_string(r.y)
           + ",\"w\":" + std::to_string(r.w) + ",\"h\":" + std::to_string(r.h);
}

const char* SourceName(FieldSource s)
{
    switch (s) {
    case FieldSource::Input: return "Input";
    case FieldSource::Upstream: return "Upstream";
    case FieldSource::Probe: return "Probe";
    }
    return "";
}

std::string DialogJson(const res::DialogTemplate& t)
{
    std::string out = "{\"caption\":";
    AppendJsonString(out, t.caption);
    AppendMember(out, "fontFaces", t.fontFaces);
    out += ",\"fontPoints\":" + std::to_string(t.fontPoints) + ",";
    AppendRect(out, t.ToPixels(t.rect));
    out += ",\"controls\":[";
    bool first = true;
    for (const res::ControlTemplate& c : t) {
        if (!first)
            out += ',';
        first = false;
        out += "{\"id\":" + std::to_string(ToInt(c.id)) + ",\"kind\":\"" + KindName(c.kind) + "\",";
        AppendRect(out, t.ToPixels(c.rect));
        if (c.image != ImageId::None) {
            const bool icon = c.kind == res::ControlKind::IconImage;
            const char* svg = ImageSvg(icon ? res::IconPath(c.image) : res::BitmapPath(c.image));
            AppendMember(out, "image", ImageName(c.image));
            AppendMember(out, "svg", svg ? svg : "");
            // The label in every other language whose drawing differs.
            if (!icon)
                AppendLabelTwins(out, c.image, svg);
        }
        if (c.text)
            AppendMember(out, "text", c.text);
        if (const FieldRow* row = FindField(c.id)) {
            AppendMember(out, "key", row->key);
            AppendMember(out, "source", SourceName(row->source));
            // What a screen reader says of the field, in Russian; the page translates both.
            AppendMember(out, "symbol", row->symbol);
            AppendMember(out, "words", row->words);
            // The label images that name the field and give its unit, each row level with it.
            AppendMember(out, "namesImage", ImageName(row->labelImage));
            AppendMember(out, "unitsImage", ImageName(UnitsImageOf(row->labelImage)));
        }
        out += '}';
    }
    out += "]}";
    return out;
}

} // namespace

std::string LayoutJson()
{
    std::string out = "{\"version\":";
    AppendJsonString(out, CORNERFLOW_VERSION);
    out += ",\"tickMilliseconds\":" + std::to_string(kTickMilliseconds);
    out += ",\"keyRunEndsMs\":" + std::to_string(Announcer::kKeyRunEndsMs);
    out += ",\"fieldMaxLength\":" + std::to_string(kFieldMaxLength);
    out += ",\"maxFrameScale\":" + std::to_string(kMaxFrameScale);
    out += ",\"main\":" + DialogJson(res::MainDialogTemplate());
    out += ",\"about\":" + DialogJson(res::AboutDialogTemplate());
    // The words a screen reader hears, in the program's Russian; the page translates them.
    out += ",\"roleWords\":{\"Input\":";
    AppendJsonString(out, FieldRoleWords(FieldSource::Input));
    AppendMember(out, "Upstream", FieldRoleWords(FieldSource::Upstream));
    AppendMember(out, "Probe", FieldRoleWords(FieldSource::Probe));
    out += '}';
    AppendMember(out, "readAsWords", kReadAsWords);
    // The button that opens the list of the tools a narrow row has no room for (context "Dialog").
    AppendMember(out, "moreToolsWords", "Ещё инструменты");
    AppendMember(out, "gammaWords", kGammaFieldWords);
    AppendMember(out, "molarMassWords", kMolarMassFieldWords);
    // The gases of the drop-down, "other gas" last: code, Russian name, formula.
    out += ",\"gases\":[";
    for (const Gas& gas : GasTable()) {
        out += "{\"code\":";
        AppendJsonString(out, gas.code);
        AppendMember(out, "name", gas.name);
        AppendMember(out, "formula", gas.formula);
        out += "},";
    }
    out += "{\"code\":";
    AppendJsonString(out, kOtherGasCode);
    AppendMember(out, "name", kOtherGasName);
    AppendMember(out, "formula", "");
    out += "}]}";
    return out;
}
