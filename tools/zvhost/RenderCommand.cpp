#include "Commands.h"

#include "AudioFile.h"
#include "ClapCommands.h"
#include "HostError.h"
#include "PluginSearch.h"
#include "ProgressBar.h"

#include <cstdio>

namespace zvhost {

void runRender(const Command& command, std::ostream& out) {
    if (sameFile(command.input, command.output))
        throw HostError(ExitStatus::output, "refusing to write over the input file " +
                                                command.input + "; choose another output");
    const Audio input = readAudio(command.input);
    AudioWriter writer(command.output);  // fails now, before the work, if OUT cannot be written

    const std::string path = command.pluginPath.empty() ? defaultPluginPath() : command.pluginPath;
    if (isClapFile(path)) {
        const Audio output = renderClap(path, input, command);
        writer.write(output);
        out << "wrote " << command.output << ": " << output.frames() << " frames, 2 channels, "
            << output.sampleRate << " Hz\n";
        return;
    }
    Plugin plugin(path);
    const ResolvedSettings settings = resolve(plugin, command.settings);

    const double seconds = static_cast<double>(input.frames()) / input.sampleRate;
    Audio output;
    {
        ProgressBar bar(stderr, seconds >= kProgressMinimumSeconds);
        output = render(plugin, input, settings, command.options,
                        [&bar](double done) { bar.update(done); });
    }
    writer.write(output);
    out << "wrote " << command.output << ": " << output.frames() << " frames, 2 channels, "
        << output.sampleRate << " Hz\n";
}

}  // namespace zvhost
