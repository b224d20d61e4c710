// qor-vellacor: the compressor without a host. Renders audio files, plays a built-in demo,
// lists presets and draws the curves.
#include "tools/CliError.h"
#include "tools/OutputFiles.h"
#include "tools/VellaCorCommands.h"
#include "vellaCor/vellaCorIdentity.h"

#ifdef QOR_HAVE_EDITOR
#include "tools/EditorCommand.h"
#endif

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    CLI::App app{std::string(vellaCorIdentity::kProductDescription) + " " + vellaCorIdentity::kVersion,
                 "qor-vellacor"};
    app.require_subcommand(1);

    std::string demoOut = "./demo-out";
    CLI::App* demo = app.add_subcommand("demo", "Render the built-in demo through the default preset");
    demo->add_option("--out", demoOut, "Folder for demo-in.wav, demo-out.wav and demo.png")->capture_default_str();

    RenderOptions render;
    CLI::App* renderCmd = app.add_subcommand("render", "Render an audio file through the compressor");
    renderCmd->add_option("IN", render.input, "Input file (WAV, AIFF, FLAC, OGG; mono or stereo)")->required();
    renderCmd->add_option("OUT", render.output, "Output file, written in the input's format")->required();
    auto* preset = renderCmd->add_option("--preset", render.preset, "Factory preset by name or number");
    auto* presetFile = renderCmd->add_option("--preset-file", render.presetFile, "A .qor preset file");
    preset->excludes(presetFile);
    renderCmd->add_option("--set", render.assignments, "PARAM=VALUE, e.g. Ratio=3:1, Time=2.5, Output=6")
        ->allow_extra_args(false);
    renderCmd->add_option("--block", render.blockSize, "Block size in frames")->capture_default_str();
    renderCmd->add_option("--report", render.reportPath, "Write a JSON report");
    renderCmd->add_option("--plot", render.plotPath, "Write a PNG picture of what the compressor did");

    bool json = false;
    CLI::App* presets = app.add_subcommand("presets", "List the factory and user presets");
    presets->add_flag("--json", json, "Print JSON");

    std::string curvesPlot;
    CLI::App* curves = app.add_subcommand("curves", "Draw the gain curves and the valve transfer curves");
    curves->add_option("--plot", curvesPlot, "PNG file to write")->required();

#ifdef QOR_HAVE_EDITOR
    EditorOptions editorOptions;
    CLI::App* editor = app.add_subcommand("editor", "Show the editor in a window, or draw it into a PNG file");
    editor->add_option("--screenshot", editorOptions.screenshot, "Draw the editor offscreen into this PNG file");
    editor->add_option("--zoom", editorOptions.zoom, "Zoom 0.7 to 4.0 (default: the saved zoom)")
        ->check(CLI::Range(0.7, 4.0));
    editor->add_option("--input", editorOptions.input,
                       "Play this mono or stereo file in a loop through the compressor, so the needle moves");
#endif

    try
    {
        app.parse(argc, argv);
    }
    catch (const CLI::CallForHelp& e)
    {
        return app.exit(e);
    }
    catch (const CLI::CallForAllHelp& e)
    {
        return app.exit(e);
    }
    catch (const CLI::ParseError& e)
    {
        std::fprintf(stderr, "qor-vellacor: error: %s (see --help)\n", e.what());
        return 2;
    }

    try
    {
        if (demo->parsed())
            return runDemo(demoOut);
        if (renderCmd->parsed())
            return runRender(render);
        if (presets->parsed())
            return runPresets(json);
        if (curves->parsed())
            return runCurves(curvesPlot);
#ifdef QOR_HAVE_EDITOR
        if (editor->parsed())
        {
            if (!editorOptions.screenshot.empty())
                OutputFiles::check({{"--screenshot", editorOptions.screenshot}},
                                   editorOptions.input.empty()
                                       ? std::vector<OutputFiles::Named>{}
                                       : std::vector<OutputFiles::Named>{{"--input", editorOptions.input}});
            return runEditor(editorOptions);
        }
#endif
    }
    catch (const CliError& e)
    {
        std::fprintf(stderr, "qor-vellacor: error: %s\n", e.what());
        return 2;
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "qor-vellacor: error: %s\n", e.what());
        return 1;
    }
    return 0;
}
