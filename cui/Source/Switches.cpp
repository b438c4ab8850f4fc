#include "Switches.h"

bool verbose = false;
bool debug = false;
bool dryrun = false;
