#ifndef CONTROL_H
#define CONTROL_H

#include <Invoker.h>
#include <View.h>

#include <string>

enum { B_CONTROL_OFF = 0, B_CONTROL_ON = 1 };

// A view that the user operates to send its message. Adopts the message.
// Its target defaults to its window when it is attached without one.
class BControl : public BView, public BInvoker {
public:
	BControl(BRect frame, const char* name, const char* label, BMessage* message,
			 uint32 resizingMode, uint32 flags);
	~BControl() override;

	void AttachedToWindow() override;
	// Redraws, so the focus mark comes and goes.
	void MakeFocus(bool focus = true) override;

	virtual void SetLabel(const char* label);
	const char* Label() const { return fLabel.c_str(); }
	virtual void SetValue(int32 value);
	int32 Value() const { return fValue; }
	virtual void SetEnabled(bool enabled);
	bool IsEnabled() const { return fEnabled; }

	// Adds "be:value"; nothing is sent while disabled (B_ERROR).
	status_t Invoke(BMessage* message = nullptr) override;

protected:
	const void* _Source() const override { return static_cast<const BControl*>(this); }

private:
	std::string fLabel;
	int32 fValue;
	bool fEnabled;
};

#endif // CONTROL_H
