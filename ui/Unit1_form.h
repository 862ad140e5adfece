#pragma once

#include "platform/ui/form_description.h"

// Form1's stored form description: the main window's settings and controls as
// designed. Handler names refer to TForm1's methods.
const components::FormDescription& Form1Description();
