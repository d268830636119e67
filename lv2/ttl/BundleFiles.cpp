#include "BundleFiles.h"

#include <sstream>

#include "FactoryPrograms.h"
#include "Lv2Identity.h"
#include "ParameterFields.h"
#include "ParameterTable.h"
#include "Turtle.h"

namespace {

constexpr const char* kPluginFile = "ZvDelay32.ttl";
constexpr const char* kUiFile = "ZvDelay32_ui.ttl";
constexpr const char* kPresetsFile = "presets.ttl";

constexpr const char* kPrefixes =
    "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
    "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
    "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n\n";

std::string iri(const std::string& uri) { return "<" + uri + ">"; }

// A program's value for a parameter as the VST 2 effect applies it: narrowed to single precision
// by the program change, so the preset gives the same samples as the program.
float programValue(int program, int parameter) {
    return parameter_fields::load(kFactoryPrograms[static_cast<std::size_t>(program)].values,
                                  parameter);
}

std::string manifest() {
    std::ostringstream out;
    out << kPrefixes;
    out << iri(lv2id::kPluginUri) << "\n    a lv2:Plugin ;\n    lv2:binary <" << lv2id::kDspBinary
        << "> ;\n    rdfs:seeAlso <" << kPluginFile << "> .\n\n";
    out << iri(lv2id::kUiUri) << "\n    a ui:X11UI ;\n    lv2:binary <" << lv2id::kUiBinary
        << "> ;\n    rdfs:seeAlso <" << kUiFile << "> .\n";
    for (int program = 0; program < kNumPrograms; ++program) {
        out << "\n"
            << iri(lv2id::presetUri(program)) << "\n    a pset:Preset ;\n"
            << "    lv2:appliesTo " << iri(lv2id::kPluginUri) << " ;\n"
            << "    rdfs:label " << turtle::text(kFactoryPrograms[program].name) << " ;\n"
            << "    rdfs:seeAlso <" << kPresetsFile << "> .\n";
    }
    return out.str();
}

void writeControlPort(std::ostringstream& out, const ParameterRow& row) {
    // The values are the VST 2 parameters' plain 0..1 fractions, so they carry no unit; the
    // defaults are program 0's, which every instance starts with.
    out << "        a lv2:InputPort , lv2:ControlPort ;\n"
        << "        lv2:index " << lv2id::controlPort(row.index) << " ;\n"
        << "        lv2:symbol " << turtle::text(row.symbol) << " ;\n"
        << "        lv2:name " << turtle::text(row.name) << " ;\n"
        << "        lv2:default " << turtle::number(programValue(0, row.index)) << " ;\n"
        << "        lv2:minimum 0.0 ;\n"
        << "        lv2:maximum 1.0";
    if (row.display == DisplayRule::Switch) out << " ;\n        lv2:portProperty lv2:toggled";
    out << "\n";
}

std::string plugin(BundleVersion version) {
    std::ostringstream out;
    out << kPrefixes;
    out << iri(lv2id::kPluginUri) << "\n"
        << "    a lv2:Plugin , lv2:DelayPlugin ;\n"
        << "    doap:name \"ZvDelay32\" ;\n"
        << "    lv2:project [\n        a doap:Project ;\n        doap:name \"ZvDelay32\" ;\n"
        << "        doap:maintainer [ foaf:name \"Zelvano Music\" ]\n    ] ;\n"
        << "    lv2:minorVersion " << version.minor << " ;\n"
        << "    lv2:microVersion " << version.micro << " ;\n"
        << "    lv2:optionalFeature lv2:hardRTCapable ;\n"
        << "    ui:ui " << iri(lv2id::kUiUri) << " ;\n"
        << "    lv2:port";
    for (std::uint32_t port = 0; port < lv2id::kPortCount; ++port) {
        out << (port == 0 ? " [\n" : " , [\n");
        if (port < lv2id::kFirstControlPort) {
            const lv2id::AudioPort& audio = lv2id::kAudioPorts[port];
            out << "        a lv2:AudioPort , "
                << (audio.input ? "lv2:InputPort" : "lv2:OutputPort") << " ;\n        lv2:index "
                << port << " ;\n"
                << "        lv2:symbol " << turtle::text(audio.symbol) << " ;\n"
                << "        lv2:name " << turtle::text(audio.name) << "\n";
        } else {
            writeControlPort(
                out, kParameterTable[static_cast<std::size_t>(lv2id::parameterOfPort(port))]);
        }
        out << "    ]";
    }
    out << " .\n";
    return out.str();
}

std::string editor() {
    std::ostringstream out;
    out << kPrefixes;
    // Idle calls drive the editor; a host's parent window, resize and touch are used when offered.
    out << iri(lv2id::kUiUri) << "\n"
        << "    a ui:X11UI ;\n"
        << "    lv2:requiredFeature ui:idleInterface ;\n"
        << "    lv2:optionalFeature ui:parent , ui:resize , ui:touch , ui:noUserResize ;\n"
        << "    lv2:extensionData ui:idleInterface , ui:showInterface .\n";
    return out.str();
}

std::string presets() {
    std::ostringstream out;
    out << kPrefixes;
    for (int program = 0; program < kNumPrograms; ++program) {
        out << iri(lv2id::presetUri(program)) << "\n    a pset:Preset ;\n"
            << "    lv2:appliesTo " << iri(lv2id::kPluginUri) << " ;\n"
            << "    rdfs:label " << turtle::text(kFactoryPrograms[program].name) << " ;\n"
            << "    lv2:port";
        for (const ParameterRow& row : kParameterTable) {
            out << (row.index == 0 ? " [\n" : " , [\n") << "        lv2:symbol "
                << turtle::text(row.symbol) << " ;\n"
                << "        pset:value " << turtle::number(programValue(program, row.index))
                << "\n    ]";
        }
        out << " .\n\n";
    }
    return out.str();
}

}  // namespace

std::map<std::string, std::string> bundleFiles(BundleVersion version) {
    return {
        {"manifest.ttl", manifest()},
        {kPluginFile, plugin(version)},
        {kUiFile, editor()},
        {kPresetsFile, presets()},
    };
}
