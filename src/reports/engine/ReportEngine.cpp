#include "ReportEngine.h"
