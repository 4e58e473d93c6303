#pragma once

// The window's fixed colours (curve captions, panels, the grey setup panel) were chosen against
// a light button face. The application keeps a light look of its own, whatever the desktop's
// theme: Qt's Fusion style with its light palette.
void applique_apparence_claire();
