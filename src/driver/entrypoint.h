#pragma once
// The top-level prototype: holds the launch settings and starts the show.
#include "driver/launch_settings.h"
#include "driver/prototype_part.h"

class Entrypoint : public Prototype_Part {
public:
    void attach(Data_Interface* engine) override;
    void start(Data_Interface* engine) override;

    LaunchSettings settings;
    Data_Interface* engine = nullptr;
};
