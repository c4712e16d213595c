#ifndef INTERFACE_DEFS_H
#define INTERFACE_DEFS_H

#include <GraphicsDefs.h>
#include <SupportDefs.h>

// Bytes of the keys that KeyDown() reports.
enum {
	B_BACKSPACE = 0x08,
	B_RETURN = 0x0a,
	B_ENTER = 0x0a,
	B_SPACE = 0x20,
	B_TAB = 0x09,
	B_ESCAPE = 0x1b,
	B_LEFT_ARROW = 0x1c,
	B_RIGHT_ARROW = 0x1d,
	B_UP_ARROW = 0x1e,
	B_DOWN_ARROW = 0x1f,
	B_INSERT = 0x05,
	B_DELETE = 0x7f,
	B_HOME = 0x01,
	B_END = 0x04,
	B_PAGE_UP = 0x0b,
	B_PAGE_DOWN = 0x0c,
	B_FUNCTION_KEY = 0x10,
};

// Modifier keys, as in the "modifiers" field of key and mouse messages.
enum {
	B_SHIFT_KEY = 0x00000001,
	B_COMMAND_KEY = 0x00000002,
	B_CONTROL_KEY = 0x00000004,
	B_CAPS_LOCK = 0x00000008,
	B_OPTION_KEY = 0x00000040,
};

// Mouse buttons, as in the "buttons" field of mouse messages.
enum {
	B_PRIMARY_MOUSE_BUTTON = 0x01,
	B_SECONDARY_MOUSE_BUTTON = 0x02,
	B_TERTIARY_MOUSE_BUTTON = 0x04,
};

enum alignment { B_ALIGN_LEFT, B_ALIGN_RIGHT, B_ALIGN_CENTER };

enum orientation { B_HORIZONTAL, B_VERTICAL };

enum border_style { B_PLAIN_BORDER, B_FANCY_BORDER, B_NO_BORDER };

enum alert_type { B_EMPTY_ALERT = 0, B_INFO_ALERT, B_IDEA_ALERT, B_WARNING_ALERT, B_STOP_ALERT };

enum button_width { B_WIDTH_AS_USUAL, B_WIDTH_FROM_WIDEST, B_WIDTH_FROM_LABEL };

// Message codes of input and window events. They belong with the
// application kit's codes; they live here until it has them.
enum {
	B_MOUSE_UP = '_MUP',
	// float "be:wheel_delta_x" and "be:wheel_delta_y", in notches; positive
	// scrolls right and down.
	B_MOUSE_WHEEL_CHANGED = '_MWC',
	B_WINDOW_ACTIVATED = '_ACT',
	B_WINDOW_MOVED = '_WMV',
	B_WINDOW_RESIZED = '_WRS',
};

// The modifier keys held now; GUI thread only.
uint32 modifiers();

#endif // INTERFACE_DEFS_H
