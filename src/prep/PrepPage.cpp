#include "PrepPage.h"

PrepPage::~PrepPage() = default;
