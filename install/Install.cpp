#include "install/Install.h"
