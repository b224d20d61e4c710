#pragma once

// What DPF builds around the adapter. One layout per binary: QOR_DPF_STEREO is set by the build
// (1 for the stereo plug-ins and the live program, 0 for the mono plug-ins).

#ifndef QOR_DPF_STEREO
#define QOR_DPF_STEREO 1
#endif

#define DISTRHO_PLUGIN_BRAND "Qorwerk"
#if QOR_DPF_STEREO
#define DISTRHO_PLUGIN_NAME "Qor vellaCor Stereo"
#define DISTRHO_PLUGIN_URI "https://www.qor-werk.com/plugins/vellacor#dpf-stereo"
#define DISTRHO_PLUGIN_CLAP_ID "com.qor-werk.vellacor.stereo"
#define DISTRHO_PLUGIN_NUM_INPUTS 2
#define DISTRHO_PLUGIN_NUM_OUTPUTS 2
#define DISTRHO_PLUGIN_CLAP_FEATURES "audio-effect", "compressor", "stereo"
#else
#define DISTRHO_PLUGIN_NAME "Qor vellaCor Mono"
#define DISTRHO_PLUGIN_URI "https://www.qor-werk.com/plugins/vellacor#dpf-mono"
#define DISTRHO_PLUGIN_CLAP_ID "com.qor-werk.vellacor.mono"
#define DISTRHO_PLUGIN_NUM_INPUTS 1
#define DISTRHO_PLUGIN_NUM_OUTPUTS 1
#define DISTRHO_PLUGIN_CLAP_FEATURES "audio-effect", "compressor", "mono"
#endif
#define DISTRHO_PLUGIN_VST3_CATEGORIES "Fx|Dynamics"

#define DISTRHO_PLUGIN_HAS_UI 1
#define DISTRHO_PLUGIN_HAS_EMBED_UI 1
#define DISTRHO_PLUGIN_HAS_EXTERNAL_UI 1
#define DISTRHO_PLUGIN_IS_RT_SAFE 1
#define DISTRHO_PLUGIN_WANT_PROGRAMS 1
#define DISTRHO_PLUGIN_WANT_STATE 1
#define DISTRHO_PLUGIN_WANT_FULL_STATE 1
// The preset manager lives with the instance; the editor reaches it directly.
#define DISTRHO_PLUGIN_WANT_DIRECT_ACCESS 1
#define DISTRHO_UI_USER_RESIZABLE 0
// The editor with its preset bar at zoom 1, for hosts that ask before it exists.
#define DISTRHO_UI_DEFAULT_WIDTH 400
#define DISTRHO_UI_DEFAULT_HEIGHT 327
