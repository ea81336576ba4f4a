#include "ReportDocument.h"
