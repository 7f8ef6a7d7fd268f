#include "prep/PrepPage.h"

PrepPage::~PrepPage() = default;
