#include "play/NodeDescription.h"

#include "leveldata/NodeType.h"
#include "rules/LevelRules.h"
#include "rules/NodeState.h"
#include "rules/Virus.h"

#include <cstdio>

namespace {
	// A line may print up to two of the rules' numbers, so the text says what
	// the rules do.
	struct Line {
		// Implicit: most lines are plain text.
		constexpr Line(const char *format, int first = 0, int second = 0) : format(format), first(first), second(second)
		{}
		const char *format;
		int first;
		int second;
	};
	struct DescriptionText {
		const char *title;
		Line line1;
		Line line2;
		Line line3;
	};

	const DescriptionText NO_DESCRIPTION = {"", "", "", ""};

	const DescriptionText ENCRYPTED_DESCRIPTION = {"Encrypted Node",
		"Reveal encrypted nodes until you reach the System", "Core. Left click to decrypt the node and reveal",
		"the contents."};

	const DescriptionText BLOCKED_DESCRIPTION = {
		"Blocked Node", "This node is blocked by an adjacent", "Defense Subsystem.", ""};

	// Indexed by node type; an empty position has nothing to tell.
	const DescriptionText REVEALED_DESCRIPTIONS[] = {{"", "", "", ""},
		{"Empty Node", "This node has been revealed and is empty.", "It currently serves as a connector, letting you",
			"reveal all adjacent enrypted nodes."},
		{"Defense Subsystem: Firewall", "The Firewall is a standard piece of system defense",
			"known for its high coherence. You can attack the", "Firewall by left clicking it."},
		{"Defense Subsystem: Anti-virus", "The Anti-virus is a standard piece of system defense",
			"known for its high strength. You can attack the", "Anti-virus by left clicking it."},
		{"Defense Subsystem: Restoration Node", "While the Restoration Node is active, it will restore",
			"coherency to other uncovered Defense Subsystems. You",
			"can attack the Restoration Node by left clicking it."},
		{"Defense Subsystem: Virus Suppressor", "While the Virus Suppressor is active, your virus",
			"strength is reduced. You can attack the Virus", "Suppressor by left clicking it."},
		{"System Core", "Destroying the System Core successfully completes",
			"your hacking attempt. You can attack the System Core", "by left clicking it."},
		{"Item: Self Repair", {"Increases the Virus coherence by %d per move", Virus::SELF_REPAIR_GAIN},
			{"for %d moves.", Virus::SELF_REPAIR_MOVES}, ""},
		{"Item: Kernel Rot", "Halves the coherence of a Defense Subsystem or the", "System Core.", ""},
		{"Item: Polymorphic Shield", {"Protects the Virus from %d attacks.", Virus::SHIELD_CHARGES}, "", ""},
		{"Item: Secondary Vector", "Reduces the coherence of a Defense Subsystem or the",
			{"System Core by %d per move for %d moves.", LevelRules::SECONDARY_VECTOR_DAMAGE,
				LevelRules::SECONDARY_VECTOR_MOVES},
			""},
		{"Data Cache", "Data Caches are archives which can contain Defense",
			"or Utility subsystems. Reveal the contents of the", "Data Cache by left clicking it."}};

	const int REVEALED_DESCRIPTION_COUNT = sizeof(REVEALED_DESCRIPTIONS) / sizeof(REVEALED_DESCRIPTIONS[0]);

	const DescriptionText &TextFor(int type, int state)
	{
		switch(state)
		{
		case ENCRYPTED:
			return ENCRYPTED_DESCRIPTION;
		case BLOCKED:
			return BLOCKED_DESCRIPTION;
		case REVEALED:
			if(type >= EMPTY && type < REVEALED_DESCRIPTION_COUNT)
				return REVEALED_DESCRIPTIONS[type];
			return NO_DESCRIPTION;
		default:
			return NO_DESCRIPTION;
		}
	}
}

// The formats are this file's own, none taken from outside.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
void Print(char *to, size_t size, const Line &line)
{
	snprintf(to, size, line.format, line.first, line.second);
}
#pragma GCC diagnostic pop

void DescribeNode(int type, int state, NodeDescription &description)
{
	const DescriptionText &text = TextFor(type, state);
	snprintf(description.title, sizeof(description.title), "%s", text.title);
	Print(description.line1, sizeof(description.line1), text.line1);
	Print(description.line2, sizeof(description.line2), text.line2);
	Print(description.line3, sizeof(description.line3), text.line3);
}
