// The peer evaluators that the engine benchmark measures us against; each
// registers its benchmarks when its library was found at configuration.
#pragma once

namespace talmiron::bench {

void RegisterFparser();
void RegisterMuparser();
void RegisterMuparserx();

} // namespace talmiron::bench
