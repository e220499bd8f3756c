#pragma once
// The top-level prototype: the object the engine hands control to (the Entrypoint).

struct Data_Interface;

class Prototype_Part {
public:
    virtual void attach(Data_Interface* engine) = 0;
    virtual ~Prototype_Part() = default;
    virtual void start(Data_Interface* engine) = 0;
};
