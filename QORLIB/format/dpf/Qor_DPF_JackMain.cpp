// qor-vellacor-live: the stereo plug-in and its editor as a JACK client. DPF's JACK host runs
// the processor and the editor's window; our main says plainly what is missing when JACK is not
// there, and how to get it, before DPF's own start.
#define main qor_dpf_jack_main
#include "DistrhoPluginMain.cpp"
#undef main

#include "vellaCor/vellaCorIdentity.h"

#include <cstdio>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
// Started from the desktop, nobody reads standard error: the desktop's notification says it.
void tellTheDesktop(const char* text)
{
    if (isatty(STDERR_FILENO) || std::getenv("DISPLAY") == nullptr)
        return;
    char title[] = "Qor vellaCor Live";
    char program[] = "notify-send";
    char* argv[] = {program, title, const_cast<char*>(text), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) == 0)
        waitpid(pid, nullptr, 0);
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0))
    {
        std::printf("Usage: qor-vellacor-live\n\n"
                    "%s live: the compressor and its editor as a JACK client with two inputs and two\n"
                    "outputs (connect them with qjackctl, Carla or jack_connect). Needs a running JACK\n"
                    "server, or PipeWire's JACK (run as: pw-jack qor-vellacor-live).\n",
                    vellaCorIdentity::kProductName);
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0)
    {
        std::printf("qor-vellacor-live %s\n", vellaCorIdentity::kVersion);
        return 0;
    }
    if (!jackbridge_is_ok())
    {
        std::fprintf(stderr, "qor-vellacor-live: the JACK library (libjack.so.0) was not found.\n"
                             "Install JACK (Debian: apt install jackd2) or PipeWire's JACK (apt install pipewire-jack).\n");
        return 1;
    }
    jack_status_t status = jack_status_t(0);
    jack_client_t* probe = jackbridge_client_open("qor-vellacor-probe", JackNoStartServer, &status);
    if (probe == nullptr)
    {
        tellTheDesktop("No JACK server is running. Start one first (for example with qjackctl), "
                       "or on a PipeWire desktop run: pw-jack qor-vellacor-live");
        std::fprintf(stderr, "qor-vellacor-live: no JACK server is running.\n"
                             "Start one first, for example:\n"
                             "  jackd -d alsa            (a JACK server on the default sound card)\n"
                             "  qjackctl                 (and press Start)\n"
                             "or, on a PipeWire desktop, run the program through PipeWire's JACK:\n"
                             "  pw-jack qor-vellacor-live\n");
        return 1;
    }
    jackbridge_client_close(probe);
    return qor_dpf_jack_main(argc, argv);
}
