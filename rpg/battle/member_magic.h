#pragma once
// A member's magic (or joint magic) cast: its cost paid, its effect played,
// then the harm, help or theft it brings.

void CastMemberMagic(int member);
