#include "play/NodeDescription.h"

#include "leveldata/NodeType.h"
#include "rules/NodeState.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

	struct DescriptionCase {
		int type;
		int state;
		const char *title;
		const char *line1;
		const char *line2;
		const char *line3;
	};

	// Every text the panel can show, exactly as the player reads it.
	const DescriptionCase CASES[] = {
		{FIREWALL, HIDDEN, "", "", "", ""},
		{SYSTEM_CORE, HIDDEN, "", "", "", ""},
		{FIREWALL, ENCRYPTED, "Encrypted Node", "Reveal encrypted nodes until you reach the System",
			"Core. Left click to decrypt the node and reveal", "the contents."},
		{HACKED, ENCRYPTED, "Encrypted Node", "Reveal encrypted nodes until you reach the System",
			"Core. Left click to decrypt the node and reveal", "the contents."},
		{DATA_CACHE, BLOCKED, "Blocked Node", "This node is blocked by an adjacent", "Defense Subsystem.", ""},
		{EMPTY, REVEALED, "", "", "", ""},
		{HACKED, REVEALED, "Empty Node", "This node has been revealed and is empty.",
			"It currently serves as a connector, letting you", "reveal all adjacent enrypted nodes."},
		{FIREWALL, REVEALED, "Defense Subsystem: Firewall", "The Firewall is a standard piece of system defense",
			"known for its high coherence. You can attack the", "Firewall by left clicking it."},
		{ANTIVIRUS, REVEALED, "Defense Subsystem: Anti-virus", "The Anti-virus is a standard piece of system defense",
			"known for its high strength. You can attack the", "Anti-virus by left clicking it."},
		{RESTORATION_NODE, REVEALED, "Defense Subsystem: Restoration Node",
			"While the Restoration Node is active, it will restore",
			"coherency to other uncovered Defense Subsystems. You",
			"can attack the Restoration Node by left clicking it."},
		{VIRUS_SUPPRESSOR, REVEALED, "Defense Subsystem: Virus Suppressor",
			"While the Virus Suppressor is active, your virus", "strength is reduced. You can attack the Virus",
			"Suppressor by left clicking it."},
		{SYSTEM_CORE, REVEALED, "System Core", "Destroying the System Core successfully completes",
			"your hacking attempt. You can attack the System Core", "by left clicking it."},
		{ITEM_SELF_REPAIR, REVEALED, "Item: Self Repair", "Increases the Virus coherence by 10 per move",
			"for 3 moves.", ""},
		{ITEM_KERNEL_ROT, REVEALED, "Item: Kernel Rot", "Halves the coherence of a Defense Subsystem or the",
			"System Core.", ""},
		{ITEM_POLYMORPHIC_SHIELD, REVEALED, "Item: Polymorphic Shield", "Protects the Virus from 2 attacks.", "", ""},
		{ITEM_SECONDARY_VECTOR, REVEALED, "Item: Secondary Vector",
			"Reduces the coherence of a Defense Subsystem or the", "System Core by 20 per move for 3 moves.", ""},
		{DATA_CACHE, REVEALED, "Data Cache", "Data Caches are archives which can contain Defense",
			"or Utility subsystems. Reveal the contents of the", "Data Cache by left clicking it."},
		// Pairs the game never passes still give four valid, empty lines.
		{DATA_CACHE + 1, REVEALED, "", "", "", ""},
		{-1, REVEALED, "", "", "", ""},
		{FIREWALL, REVEALED + 1, "", "", "", ""},
		{FIREWALL, -1, "", "", "", ""},
	};

	// Garbage in every byte, so a line that is not written or not terminated
	// shows up as a wrong string.
	NodeDescription FilledDescription()
	{
		NodeDescription description;
		memset(&description, 'x', sizeof(description));
		return description;
	}

	TEST(DescribeNode, GivesEveryTextOfTheTable)
	{
		for(const DescriptionCase &expected : CASES)
		{
			SCOPED_TRACE("type " + std::to_string(expected.type) + ", state " + std::to_string(expected.state));
			NodeDescription description = FilledDescription();
			DescribeNode(expected.type, expected.state, description);
			EXPECT_STREQ(description.title, expected.title);
			EXPECT_STREQ(description.line1, expected.line1);
			EXPECT_STREQ(description.line2, expected.line2);
			EXPECT_STREQ(description.line3, expected.line3);
		}
	}

} // namespace
