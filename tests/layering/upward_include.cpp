// Compiled once per layer with LAYERING_PROBE_HEADER naming a header of the layer above it: the
// build must not find it.
#include LAYERING_PROBE_HEADER
