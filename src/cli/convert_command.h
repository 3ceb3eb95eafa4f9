#pragma once

namespace vrx {

// `vrxctl convert IN OUT [--lang chn|eng] [--template PLAN.vrx]`: between .vrx and
// .csv by the files' extensions, and .pdf/.html channel lists from either. It makes
// its own application (a GUI one, offscreen when there is no display, since channel
// lists lay out text), so main() hands it argc/argv before making any.
int runConvertCommand(int argc, char **argv);

} // namespace vrx
