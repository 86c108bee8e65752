#pragma once

#include <QString>
#include <functional>

class Form1;
class ProductionRun;
class ProductionSetup;

// A production run as the operator starts and works it: File > Production run…, the setup
// filled in, Start; then a scanner typing serial numbers into the run window.
namespace ProductionRig {

// The run window, or nullptr when the setup did not start a run. before, if given, sees
// the filled-in setup just before Start is pressed.
ProductionRun* start(Form1& form, const QString& profile, const QString& store,
                     const std::function<void(ProductionSetup*)>& before = {});

// Types the serial and presses Enter; returns once the unit's outcome shows, as a press
// returns once it is over.
void scan(ProductionRun* run, const QString& serial);

} // namespace ProductionRig
