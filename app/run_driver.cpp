#include "app/run_driver.h"
