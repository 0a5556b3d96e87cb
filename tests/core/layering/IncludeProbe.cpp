// Compiled with core's include path only; see CMakeLists.txt.
#include MORVANE_PROBE_HEADER
