#pragma once

class Connection;

// Fills a data file with years of sales for the benchmarks: tickets two
// minutes apart from 2024-01-01, each with the same number of lines.
void GenerateSales(Connection &connection, int tickets, int linesPerTicket);
// Products named "商品1" ... with prices.
void GenerateProducts(Connection &connection, int products);
