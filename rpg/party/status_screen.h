#pragma once
// The party's attributes: the members' pictures down the left, a pointer on
// the one shown and its status page beside them. Page keys turn the page,
// the arrows go round the members. Nothing happens without a member.

void StatusScreen();
