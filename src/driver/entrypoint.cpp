#include "driver/entrypoint.h"

void Entrypoint::attach(Data_Interface* e) { engine = e; }

void Entrypoint::start(Data_Interface* e) { engine = e; }
