#pragma once
// Scenes advance the loading screen as they load: each step reports its share of the work.
struct Data_Interface;

// Passes `weight` to the engine's loaderCallback; nothing when there is no engine or callback
// (tests and tools load scenes without a loading screen).
void reportLoadProgress(Data_Interface* engine, float weight);
