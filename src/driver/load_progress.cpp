#include "driver/load_progress.h"

#include "driver/data_interface.h"

void reportLoadProgress(Data_Interface* engine, float weight) {
    if (engine != nullptr && engine->loaderCallback != nullptr) engine->loaderCallback(weight);
}
