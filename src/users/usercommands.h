#pragma once

class PageCommandTable;
class TLogin;
class TXPage;
class TXUserBase;

// The page commands of the learners: "chpw" and "stats" (only with a
// logged-in learner), "login", "newusr" and "chusr". After the last three the
// page is refreshed: its condition "login" follows the login, and the page
// shown is loaded again, so that what depends on the learner changes.
void RegisterUserCommands(PageCommandTable& table, TXUserBase& users, TLogin& login, TXPage& page);
