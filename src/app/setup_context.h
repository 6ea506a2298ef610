#pragma once
// What the setup window's procedures share while the window runs.
#include "app/transfer_runs.h"
#include "data/program_state.h"
#include "platform/records/data_file.h"
#include "platform/ui/window.h"

namespace vl::setup {

struct SetupContext {
  ProgramState& state;
  ui::Window& window;
  records::DataFile& settings;  // VLSINET, open while the window runs
  const TransferRuns& runs;
};

// Binds every control of the window to its variable in state.
void BindSetupVariables(ui::Window& window, ProgramState& state);

// Startup before the window is shown: the version, the INI path and the
// Version key, then developer mode or the access prompt. False when the
// access prompt was cancelled.
bool PrepareRun(ProgramState& state);
// Makes C:\VORLAN\T1\ exist and current; ends the program when it cannot.
void EnterWorkingDirectory();
// Opens the settings file and puts the built-in server and account into its
// record where it has none; the working copy always gets the built-in address.
void LoadSettings(ProgramState& state, records::DataFile& settings);
// After the window has opened: connection state, computer name, the
// remembered settings from the INI file, the store-owner rule.
void InitialiseWindow(SetupContext& ctx);

// The window's rules.
void ApplyStoreOwnerRule(SetupContext& ctx);
void ApplyLocalFolderRule(SetupContext& ctx);
void ApplyGlobalFolderTyped(SetupContext& ctx);
void ApplyProtocolRule(SetupContext& ctx);
void ApplyTrustedModeRule(SetupContext& ctx);
void StoreUseSsl(SetupContext& ctx);
void ApplyKeyboardRule(SetupContext& ctx);

// The Download button after the required entries passed: the checks in their
// order, then the Download command. False when a check stopped it.
bool CheckAndDownload(SetupContext& ctx);

// Today as a day number, by the program's clock.
std::int32_t Today();

}  // namespace vl::setup
